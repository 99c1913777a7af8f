#include "app/doc/AnalysisCommands.h"

#include "app/doc/QELDoc.h"

namespace {

constexpr auto Always = CommandEnable::Always;
constexpr auto Idle = CommandEnable::WhileIdle;
constexpr auto Running = CommandEnable::WhileRunning;

}

// "Single Position" and "Generate LME from LM" wait for the running worker as well: both
// use load models, which a worker changes as it analyses them.
const std::vector<DocAnalysisCommand>& GetAnalysisCommands()
{
    static const std::vector<DocAnalysisCommand> commands = {
        {32773, L"Analysis", L"&Single Position", L"", L"", &CQELDoc::OnAnalysisSinglePosition, Idle},
        {32772, L"Analysis", L"&Moving Load", L"", L"", &CQELDoc::OnAnalysisMovingLoad, Idle},
        {32774, L"Analysis", L"&Bridge Range", L"", L"", &CQELDoc::OnAnalysisBridgeRange, Idle},
        {32807, L"Analysis", L"Reference &Collection\tF4", L"F4",
         L"Analyze a reference collection\nAnalyze Ref. Coll.", &CQELDoc::OnAnalysisRefCollection, Idle},
        {32809, L"Analysis", L"Critical &Ratios\tF5", L"F5", L"Analyze for critical ratios\nAnalyze Critical Ratios",
         &CQELDoc::OnAnalysisCriticalRatios, Idle},
        {32951, L"Analysis", L"Stop &Analysis\tF9", L"F9", L"Stop execution of the current analysis\nStop Analysis",
         &CQELDoc::OnStopAnalysis, Running},
        {32811, L"View", L"&Output options\tAlt+O", L"Alt+O", L"View ouput display options\nOutput Options",
         &CQELDoc::OnOutputOptions, Always},
        {32779, L"View", L"Single &Position Results", L"", L"", &CQELDoc::OnResultsSinglePosition, Always},
        {32780, L"View", L"&Moving Load Results", L"", L"", &CQELDoc::OnResultsMovingLoad, Always},
        {32782, L"View", L"&Bridge Range Results", L"", L"", &CQELDoc::OnResultsBridgeRange, Idle},
        {32858, L"View", L"Reference Collection &Values", L"", L"", &CQELDoc::OnResultsRefCollectionValues, Idle},
        {32830, L"View", L"Reference Collection &Ratios", L"", L"", &CQELDoc::OnResultsRefCollectionRatios, Idle},
        {32945, L"View", L"&Compare Critical Envelopes", L"", L"", &CQELDoc::OnCompareEnvelopes, Idle},
        {32815, L"View", L"&Enhanced Critical Ratios Grid\tAlt+G", L"Alt+G",
         L"View enhanced output grid\nEnhanced Grid", &CQELDoc::OnResultsEnhancedGrid, Always},
        {32957, L"Tools", L"Filter LME", L"", L"", &CQELDoc::OnToolsFilterLME, Idle},
        {32838, L"Tools", L"&Generate LME from LM", L"", L"", &CQELDoc::OnToolsGenerateLME, Idle},
        {32956, L"Tools", L"Generate &Bidirectional LME", L"", L"", &CQELDoc::OnToolsGenerateBiDirLME, Idle},
        {32949, L"Tools", L"&Purge analysis results", L"", L"", &CQELDoc::OnToolsPurgeResults, Idle},
    };
    return commands;
}

const DocAnalysisCommand* FindAnalysisCommand(int nID)
{
    for (const auto& c : GetAnalysisCommands())
        if (c.nID == nID)
            return &c;
    return nullptr;
}

bool IsAnalysisCommandEnabled(const CQELDoc& doc, const DocAnalysisCommand& command)
{
    switch (command.enable) {
    case CommandEnable::WhileIdle: return doc.OnUpdateAnalysisCommand();
    case CommandEnable::WhileRunning: return doc.OnUpdateStopAnalysis();
    case CommandEnable::Always: break;
    }
    return true;
}
