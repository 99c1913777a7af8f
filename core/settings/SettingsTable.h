#pragma once
// Every program setting, declared once. A line S(...) gives one field of CSettings (its
// name is also its item in the settings file), its type, default and range, and its row in
// the settings pane: id, label and description. From these lines Settings.h makes the
// fields with their defaults, SettingsArchive.cpp reads and writes the file, and
// SettingEntries.cpp makes the table that the range check and the settings pane read.
// A new setting is one line in its group.
//
//   G(group, the pane's caption of the group)
//   S(group, type, NAME, default, range, pane id, pane label, pane description)
//
// The lines stand in the order of the settings file, which is the pane's order too; a
// group's own settings come before its subgroups (the file's order of the subgroups is
// that of their members in Settings.h). Ranges: a Bounds:: range for a number,
// kColourRange for a colour (std::uint32_t, 0x00BBGGRR), kNoRange for a bool or a path.
// HELPFILEPATH's default depends on the user's folder: SetDefaults puts it in.
// The descriptions keep the tab runs where their lines were once wrapped; the pane folds them.

#define QEL_SETTINGS_GENERAL(G, S)                                                                                  \
    G(General, L"General")                                                                                          \
    S(General, std::wstring, HELPFILEPATH, L"", kNoRange, 1000, L"PDF help file path",                              \
      L"The path to the PDF help file - usually in the application folder")                                         \
    S(General, bool, USEBINARYFILEFORMAT, true, kNoRange, 1001, L"Binary File",                                     \
      L"Set to true to use a binary file format which is smaller \t\tand quicker to load than the XML format used " \
      L"when this \t\tsetting is false. (Note that XML format is useful for finding \t\tproblems though).")         \
    S(General, bool, SHOWINSTRUCTIONS, true, kNoRange, 1002, L"Show Instructions",                                  \
      L"Set to true to show the useage instructions on the main tab.")

#define QEL_SETTINGS_GENERAL_LOADMODEL(G, S)                                                                \
    G(General.LoadModel, L"Load Model Display")                                                             \
    S(General.LoadModel, std::uint32_t, CLR_LM_BGRND, 0xFFFFFF, kColourRange, 1003, L"Background",          \
      L"The display colour for the loadmodel background - usually white.")                                  \
    S(General.LoadModel, std::uint32_t, CLR_LM_BASELINE, 0x000000, kColourRange, 1004, L"Base line",        \
      L"The display colour for the loadmodel baseline - usually black.")                                    \
    S(General.LoadModel, std::uint32_t, CLR_LM_GRIDLINE, 0xE0E0E0, kColourRange, 1005, L"Grid line",        \
      L"The display colour for the loadmodel grid lines - usually grey.")                                   \
    S(General.LoadModel, std::uint32_t, CLR_LM_TEXT, 0x000000, kColourRange, 1006, L"Text",                 \
      L"The display colour for the loadmodel text - usually black.")                                        \
    S(General.LoadModel, std::uint32_t, CLR_LM_PL, 0x0000FF, kColourRange, 1007, L"Point Load",             \
      L"The display colour for the loadmodel point loads - usually red.")                                   \
    S(General.LoadModel, std::uint32_t, CLR_LM_UDL, 0x00FF00, kColourRange, 1008, L"Uniform Load",          \
      L"The display colour for the loadmodel uniform loads - usually green.")                               \
    S(General.LoadModel, std::uint32_t, CLR_LM_PUDL, 0xFF0000, kColourRange, 1009, L"Partial Uniform Load", \
      L"The display colour for the loadmodel partial uniform loads \t\t- usually blue.")                    \
    S(General.LoadModel, std::uint32_t, CLR_LM_WHEEL, 0x000000, kColourRange, 1010, L"Wheels",              \
      L"The display colour for the loadmodel wheels \t\t- usually black.")

#define QEL_SETTINGS_GENERAL_DECIMALPLACES(G, S)                                                                   \
    G(General.DecimalPlaces, L"Decimal Places")                                                                    \
    S(General.DecimalPlaces, int, FACTOR, 3, Bounds::DecimalPlaces, 1011, L"Factor",                               \
      L"The number of decimal places for factors/multipliers")                                                     \
    S(General.DecimalPlaces, int, DISTANCE, 3, Bounds::DecimalPlaces, 1012, L"Distance",                           \
      L"The number of decimal places for distance measures \t\te.g. location along beam, position of load model, " \
      L"etc.")                                                                                                     \
    S(General.DecimalPlaces, int, SPAN, 2, Bounds::DecimalPlaces, 1013, L"Span",                                   \
      L"The number of decimal places for span lengths.")                                                           \
    S(General.DecimalPlaces, int, GVW, 2, Bounds::DecimalPlaces, 1014, L"GVW",                                     \
      L"The number of decimal places for Gross Vehicle Weight \t\tin the Load Model dialog.")                      \
    S(General.DecimalPlaces, int, VEHLENGTH, 2, Bounds::DecimalPlaces, 1015, L"Vehicle Length",                    \
      L"The number of decimal places for the vehicle length \t\tin the Load Model dialog.")

#define QEL_SETTINGS_GENERAL_OUTPUT(G, S)                                                                             \
    G(General.Output, L"Output Options")                                                                              \
    S(General.Output, bool, BMSF, true, kNoRange, 1016, L"BM & SF",                                                   \
      L"Default setting for display results for bending moment \t\tand shear force.")                                 \
    S(General.Output, bool, R, true, kNoRange, 1017, L"Reactions",                                                    \
      L"Default setting for display results for reactions.")                                                          \
    S(General.Output, bool, GRAPHS, true, kNoRange, 1018, L"Plots", L"Default setting for display results as plots.") \
    S(General.Output, bool, TABLES, true, kNoRange, 1019, L"Tables", L"Default setting for display results as tables.")

#define QEL_SETTINGS_ANALYSIS(G, S)                                                                            \
    G(Analysis, L"Analysis")                                                                                   \
    S(Analysis, int, NPOINTS_ALONG_BEAM, 100, Bounds::PointsPerSpan, 1100, L"Points Per Span",                 \
      L"The number of points on each span at which load effects \t\tsuch as bending moments, shears, etc are " \
      L"calculated (> 20).")                                                                                   \
    S(Analysis, int, NO_AXLE_SPACINGS, 10, Bounds::AxleSpacings, 1101, L"No. of axle spacings",                \
      L"The default number of axle spacings when generating a variable \t\taxle spacing vehicle (> 2).")

#define QEL_SETTINGS_ANALYSIS_STEPPING(G, S)                                                                          \
    G(Analysis.Stepping, L"Stepping Defaults")                                                                        \
    S(Analysis.Stepping, bool, BYSTEP, false, kNoRange, 1102, L"By Step",                                             \
      L"Default setting should a vehicle positon range be generated by \t\ta step increment size or not (i.e. or a "  \
      L"number of steps).")                                                                                           \
    S(Analysis.Stepping, double, STEPSIZE, 0.5, Bounds::Step, 1103, L"Step Size",                                     \
      L"Default setting for the size of the step if the range \t\tof vehicle positions is to be generated by a size " \
      L"(rather than \t\ta number of steps).")                                                                        \
    S(Analysis.Stepping, int, NSTEPS, 20, Bounds::SettingsSteps, 1104, L"No. of Steps",                               \
      L"Default setting for the number of steps if the range \t\tof vehicle positions is to be generated from a "     \
      L"given number \t\tof steps (rather than a step size).")

#define QEL_SETTINGS_PLOT(G, S)                                                                                        \
    G(Plot, L"Plots")                                                                                                  \
    S(Plot, bool, RATIOLIMIT_FULLSPEED, true, kNoRange, 1200, L"Ratio Limit - Full Speed",                             \
      L"Whether or not to show the ratio limit for full speed \t\tvehicle traverses (ratio is usually 1.0)")           \
    S(Plot, bool, RATIOLIMIT_SLOWDOWN, true, kNoRange, 1201, L"Ratio Limit - Slow Down",                               \
      L"Whether or not to show the ratio limit for slow down \t\tvehicle traverses (ratio is the DAF of the proposed " \
      L"vehicle)")                                                                                                     \
    S(Plot, int, LINEWIDTH, 2, Bounds::LineWidth, 1202, L"Line width", L"The width in pixels of the plotted lines")    \
    S(Plot, int, DATATIPDELAY, 3000, Bounds::DataTipDelay, 1203, L"Data tip delay",                                    \
      L"The delay in ms of the plot window data tip that displays \t\tcoordinates information on left click (> 500)")

#define QEL_SETTINGS_PLOT_GAP(G, S)                                                                                   \
    G(Plot.Gap, L"Gaps")                                                                                              \
    S(Plot.Gap, int, TOP, 10, Bounds::PlotGap, 1204, L"Top",                                                          \
      L"The gap in pixels from the top of the window to the top \t\tof the plot control (> 0 px).")                   \
    S(Plot.Gap, int, BTM, 10, Bounds::PlotGap, 1205, L"Bottom",                                                       \
      L"The gap in pixels from the bottom of the window to the bottom \t\tof the bottom-most plot control (> 0 px).") \
    S(Plot.Gap, int, LEFT, 10, Bounds::PlotGap, 1206, L"Left",                                                        \
      L"The gap in pixels from the left of the window to the left \t\tof the left-most plot control (> 0 px).")       \
    S(Plot.Gap, int, RIGHT, 10, Bounds::PlotGap, 1207, L"Right",                                                      \
      L"The gap in pixels from the right of the window to the right \t\tof the left-most plot control (> 0 px).")     \
    S(Plot.Gap, int, BETWN, 5, Bounds::PlotGap, 1208, L"Between",                                                     \
      L"The gap in pixels between each of the plot controls (> 0 px).")

#define QEL_SETTINGS_PLOT_COLOURS(G, S)                                                                                \
    G(Plot.Colours, L"Colours")                                                                                        \
    S(Plot.Colours, std::uint32_t, CLR_BACKGRND, 0xFFFFFF, kColourRange, 1300, L"Background",                          \
      L"The display colour for the plot background - usually white.")                                                  \
    S(Plot.Colours, std::uint32_t, CLR_BORDER, 0xFFFFFF, kColourRange, 1301, L"Border",                                \
      L"The display colour for the plot border.")                                                                      \
    S(Plot.Colours, std::uint32_t, CLR_GRID, 0xA0A0A0, kColourRange, 1302, L"Grid",                                    \
      L"The display colour for the plot grid.")                                                                        \
    S(Plot.Colours, std::uint32_t, CLR_TEXT, 0x000000, kColourRange, 1303, L"Text",                                    \
      L"The display colour for the plot text.")                                                                        \
    S(Plot.Colours, std::uint32_t, CLR_LINEMIN, 0xFF0000, kColourRange, 1304, L"Line - Min",                           \
      L"The display colour for line series of minima.")                                                                \
    S(Plot.Colours, std::uint32_t, CLR_LINEMAX, 0x0000FF, kColourRange, 1305, L"Line - Max",                           \
      L"The display colour for line series of maxima.")                                                                \
    S(Plot.Colours, std::uint32_t, CLR_BEAM, 0x000000, kColourRange, 1306, L"Beam",                                    \
      L"The display colour for the beam baseline on plots.")                                                           \
    S(Plot.Colours, std::uint32_t, CLR_LIGHTLINE, 0xA0A0A0, kColourRange, 1307, L"Light line",                         \
      L"The display colour for plotting lighter lines \t\t(e.g. multiple envelopes)")                                  \
    S(Plot.Colours, std::uint32_t, CLR_PROPMIN, 0x99FF33, kColourRange, 1308, L"Proposed - Min",                       \
      L"The display colour for line series of minima for a \t\tProposed vehicle type when comparing to a reference "   \
      L"envelope.")                                                                                                    \
    S(Plot.Colours, std::uint32_t, CLR_PROPMAX, 0x99FF33, kColourRange, 1309, L"Proposed - Max",                       \
      L"The display colour for line series of maxima for a \t\tProposed vehicle type when comparing to a reference "   \
      L"envelope.")                                                                                                    \
    S(Plot.Colours, std::uint32_t, CLR_FULLSPEED, 0x008CFF, kColourRange, 1310, L"Ratio Limit - Full Speed",           \
      L"The display colour for line showing the ratio limit \t\tfor full speed vehicle crossings (usually 1.0 ratio)") \
    S(Plot.Colours, std::uint32_t, CLR_SLOWDOWN, 0x008CFF, kColourRange, 1311, L"Ratio Limit - Slow Down",             \
      L"The display colour for line showing the ratio limit \t\tfor slow down vehicle crossings (usually DAF ratio)")

// Every group and setting, in the order of the file.
#define QEL_SETTINGS(G, S)                   \
    QEL_SETTINGS_GENERAL(G, S)               \
    QEL_SETTINGS_GENERAL_LOADMODEL(G, S)     \
    QEL_SETTINGS_GENERAL_DECIMALPLACES(G, S) \
    QEL_SETTINGS_GENERAL_OUTPUT(G, S)        \
    QEL_SETTINGS_ANALYSIS(G, S)              \
    QEL_SETTINGS_ANALYSIS_STEPPING(G, S)     \
    QEL_SETTINGS_PLOT(G, S)                  \
    QEL_SETTINGS_PLOT_GAP(G, S)              \
    QEL_SETTINGS_PLOT_COLOURS(G, S)
