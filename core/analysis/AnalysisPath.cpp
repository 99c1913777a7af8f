#include "core/analysis/AnalysisPath.h"

namespace {
thread_local AnalysisPath t_path = AnalysisPath::Fast;
}

AnalysisPath GetAnalysisPath() { return t_path; }

CAnalysisPathScope::CAnalysisPathScope(AnalysisPath path) : m_previous(t_path) { t_path = path; }

CAnalysisPathScope::~CAnalysisPathScope() { t_path = m_previous; }
