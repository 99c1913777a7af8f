#include "core/analysis/AnalysisOptions.h"

#include "core/analysis/ParallelRuns.h"
#include "core/beam/BeamAnalysis.h"
#include "core/settings/Settings.h"

AnalysisOptions AnalysisOptionsFromSettings(const CSettings& settings)
{
    return {CBeamAnalysis::ClampPointsAlongBeam(settings.GetAnalysisCopy().NPOINTS_ALONG_BEAM), AnalysisPath::Fast,
            GetAnalysisThreads()};
}
