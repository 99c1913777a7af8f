#pragma once

// How the moving-load analyses started on the calling thread compute their positions.
// The fast path is the program's; the literal path (one single-position analysis and one
// envelope update per position) is kept as the reference that the fast path is checked
// and measured against.
enum class AnalysisPath { Fast, Literal };

AnalysisPath GetAnalysisPath();

// Runs the analyses of this thread on the given path while it lives.
class CAnalysisPathScope {
public:
    explicit CAnalysisPathScope(AnalysisPath path);
    ~CAnalysisPathScope();
    CAnalysisPathScope(const CAnalysisPathScope&) = delete;
    CAnalysisPathScope& operator=(const CAnalysisPathScope&) = delete;

private:
    AnalysisPath m_previous;
};
