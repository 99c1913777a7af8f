#include "app/doc/AnalysisCommands.h"

#include "app/doc/QELDoc.h"

namespace {

constexpr auto Always = CommandEnable::Always;
constexpr auto Idle = CommandEnable::WhileIdle;
constexpr auto Running = CommandEnable::WhileRunning;
constexpr const wchar_t* A = L"&Analysis";
constexpr const wchar_t* V = L"&View";
constexpr const wchar_t* T = L"&Tools";

}

// "Single Position" and "Generate LME from LM" wait for the running worker as well: both
// use load models, which a worker changes as it analyses them.
const std::vector<DocAnalysisCommand>& GetAnalysisCommands()
{
    static const std::vector<DocAnalysisCommand> commands = {
        {32773, A, L"&Single Position", nullptr, nullptr, nullptr, false, &CQELDoc::OnAnalysisSinglePosition, Idle},
        {32772, A, L"&Moving Load", nullptr, nullptr, nullptr, false, &CQELDoc::OnAnalysisMovingLoad, Idle},
        {32774, A, L"&Bridge Range", nullptr, nullptr, nullptr, false, &CQELDoc::OnAnalysisBridgeRange, Idle},
        {32807, A, L"Reference &Collection\tF4", "F4", L"Analyze a reference collection", L"Analyze Ref. Coll.", true,
         &CQELDoc::OnAnalysisRefCollection, Idle},
        {32809, A, L"Critical &Ratios\tF5", "F5", L"Analyze for critical ratios", L"Analyze Critical Ratios", true,
         &CQELDoc::OnAnalysisCriticalRatios, Idle},
        {32951, A, L"Stop &Analysis\tF9", "F9", L"Stop execution of the current analysis", L"Stop Analysis", true,
         &CQELDoc::OnStopAnalysis, Running},
        {32811, V, L"&Output options\tAlt+O", "Alt+O", L"View ouput display options", L"Output Options", true,
         &CQELDoc::OnOutputOptions, Always},
        {32779, V, L"Single &Position Results", nullptr, nullptr, nullptr, false, &CQELDoc::OnResultsSinglePosition,
         Always},
        {32780, V, L"&Moving Load Results", nullptr, nullptr, nullptr, false, &CQELDoc::OnResultsMovingLoad, Always},
        {32782, V, L"&Bridge Range Results", nullptr, nullptr, nullptr, false, &CQELDoc::OnResultsBridgeRange, Idle},
        {32858, V, L"Reference Collection &Values", nullptr, nullptr, nullptr, false,
         &CQELDoc::OnResultsRefCollectionValues, Idle},
        {32830, V, L"Reference Collection &Ratios", nullptr, nullptr, nullptr, false,
         &CQELDoc::OnResultsRefCollectionRatios, Idle},
        {32945, V, L"&Compare Critical Envelopes", nullptr, nullptr, nullptr, false, &CQELDoc::OnCompareEnvelopes,
         Idle},
        {32815, V, L"&Enhanced Critical Ratios Grid\tAlt+G", "Alt+G", L"View enhanced output grid", L"Enhanced Grid",
         true, &CQELDoc::OnResultsEnhancedGrid, Always},
        {32957, T, L"Filter LME", nullptr, nullptr, nullptr, false, &CQELDoc::OnToolsFilterLME, Idle},
        {32838, T, L"&Generate LME from LM", nullptr, nullptr, nullptr, false, &CQELDoc::OnToolsGenerateLME, Idle},
        {32956, T, L"Generate &Bidirectional LME", nullptr, nullptr, nullptr, false, &CQELDoc::OnToolsGenerateBiDirLME,
         Idle},
        {32949, T, L"&Purge analysis results", nullptr, nullptr, nullptr, false, &CQELDoc::OnToolsPurgeResults, Idle},
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
