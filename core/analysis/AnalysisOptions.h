#pragma once
// What an analysis computes with besides its bridges and loads. Whoever starts a run fills
// one value (the document from the settings at launch, a test or a benchmark by hand) and
// it is carried down, by value, to every moving load, beam solution and helper thread: no
// analysis reads the settings or a process-wide switch while it runs.

// How the moving-load positions are computed. The fast path is the program's; the literal
// path (one single-position analysis and one envelope update per position) is kept as the
// reference that the fast path is checked and measured against. Both give the same results.
enum class AnalysisPath { Fast, Literal };

struct AnalysisOptions {
    // Every field must be given: a forgotten input is a compile error, never a value read
    // from somewhere else.
    constexpr AnalysisOptions(int nPointsPerSpan_, AnalysisPath path_, int nThreads_)
        : nPointsPerSpan(nPointsPerSpan_), path(path_), nThreads(nThreads_)
    {
    }

    // Segments each span is cut into for the beam solutions (a span has nPointsPerSpan + 3
    // stations: its ends twice and the points between). Solvers bound it to
    // 1..CBeamAnalysis::MaxPointsAlongBeam.
    int nPointsPerSpan;
    AnalysisPath path;
    // Threads of a threaded run (bridge range, ensemble, overstress, reference collection),
    // the calling thread among them; 1 runs everything on the calling thread, 0 or less
    // every core (at most kMaxAnalysisThreads). Results are the same on any count.
    int nThreads;
};

class CSettings;

// The options of a run the program starts now, filled on the user-interface thread: the
// settings' points per span (a locked copy, bounded), the fast path, and the process's
// thread count (GetAnalysisThreads, every core unless start-up or a test set it).
AnalysisOptions AnalysisOptionsFromSettings(const CSettings& settings);
