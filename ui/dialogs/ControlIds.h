#pragma once
// Control ids of the dialogs. Each id is also the control's object name, so tests and the
// dialogs' own lookups find controls by it; the numbers must not change. Dialogs reuse
// numbers for unrelated controls, so one value can carry several names, one per dialog.

enum ControlId : int {
    // Shared by the item dialogs (bridge, bridge set, reference collection, ensemble).
    IDC_DESCRIPTION = 1008,
    IDC_ITEM_ID = 1015,

    // Stepping group of the analysis dialogs: a step distance or a number of steps.
    IDC_USE_STEP = 1002,
    IDC_USE_NUM_STEPS = 1004,
    IDC_STEP_SIZE = 1005,
    IDC_NUM_STEPS = 1006,
    IDC_STEP_UNIT = 1013,
    IDC_NUMBER_UNIT = 1014,

    // Lists of document items offered for choice.
    IDC_LIST_BRIDGES = 1011,
    IDC_LIST_LOADMODELS = 1012,
    IDC_LIST_BRIDGESETS = 1026,
    IDC_LIST_LMES = 1027,
    IDC_LIST_REFSETS = 1029,
    IDC_LIST_REFCOLLECTIONS = 1043,

    // "Define Bridge": span length and the "Configuration" buttons (one, two, three spans).
    IDC_SPAN_LENGTH = 1016,
    IDC_CONFIG_ONE_SPAN = 1017,
    IDC_CONFIG_TWO_SPAN = 1018,
    IDC_CONFIG_THREE_SPAN = 1019,

    // Bridge set: the span range stepped "By step:" or "By number:".
    IDC_BY_STEP = 1020,
    IDC_BY_NUMBER = 1021,
    IDC_END_LENGTH = 1022,
    IDC_RANGE_STEP = 1023,
    IDC_START_LENGTH = 1024,
    IDC_RANGE_NUMBER = 1010,

    // "Case Information".
    IDC_CASE_REF = 1063,
    IDC_CASE_NOTES = 1064,

    // Analysis dialogs.
    IDC_LOCATION = 1007,
    IDC_SHOW_EACH = 1060,
    IDC_USE_LOADMODEL = 1072,
    IDC_USE_LME = 1073,

    // Output options.
    IDC_OUT_BMSF = 1044,
    IDC_OUT_REACTIONS = 1045,
    IDC_OUT_GRAPHS = 1046,
    IDC_OUT_TABLES = 1047,

    // Reference collection dialogs.
    IDC_USE_OVERSTRESS = 1065,
    IDC_OVERSTRESS_FACTOR = 1068,
    IDC_CALCULATED = 1069,
    IDC_REF_BRIDGESET = 1078,
    IDC_REF_LME = 1079,
    IDC_REF_PROPOSED = 1080,

    // Critical ratios.
    IDC_MULTIPLIER = 1048,

    // Ensemble parameters.
    IDC_DAF = 1007,
    IDC_USE_LM_DAF = 1075,
    IDC_SPECIFY_DAF = 1076,
    IDC_HB_UNITS_LABEL = 1077,
    IDC_HB_UNITS = 1008,

    // Load model ensemble: the two lists load models are dragged between.
    IDC_LIST_AVAILABLE = 1035,
    IDC_LIST_INCLUDED = 1036,

    // Ensemble filter: create or edit, then a check box, a field and a unit per bound.
    IDC_CREATE_NEW = 1080,
    IDC_EDIT_CURRENT = 1081,
    IDC_USE_MIN_LENGTH = 1069,
    IDC_MIN_LENGTH = 1082,
    IDC_MIN_LENGTH_UNIT = 1083,
    IDC_USE_MAX_LENGTH = 1073,
    IDC_MAX_LENGTH = 1049,
    IDC_MAX_LENGTH_UNIT = 1084,
    IDC_USE_MIN_WEIGHT = 1070,
    IDC_MIN_WEIGHT = 1050,
    IDC_MIN_WEIGHT_UNIT = 1085,
    IDC_USE_MAX_WEIGHT = 1074,
    IDC_MAX_WEIGHT = 1051,
    IDC_MAX_WEIGHT_UNIT = 1086,

    // Load model property pages.
    IDC_LM_DRAWING = 1033,
    IDC_LM_EDITABLE = 1069,
    IDC_LM_STATIONARY = 1070,
    IDC_LM_MOVING = 1071,
    IDC_LM_POSITIVE = 1072,
    IDC_LM_NEGATIVE = 1073,
    IDC_LM_APPLIES_BM = 1035,
    IDC_LM_APPLIES_SF = 1036,
    IDC_LM_APPLIES_R = 1037,
    IDC_LM_MIN_LENGTH = 1038,
    IDC_LM_MAX_LENGTH = 1039,
    IDC_LM_USE_MAX_LENGTH = 1040,
    IDC_LM_USE_MIN_LENGTH = 1041,
    IDC_LM_MIN_UNIT = 1054,
    IDC_LM_MAX_UNIT = 1055,
    IDC_LM_RULES = 1059,
    IDC_LM_WIDTH_FACTOR = 1049,
    IDC_LM_GAMMA = 1040,
    IDC_LM_AXLE_FACTOR = 1056,
    IDC_LM_UDL_FACTOR = 1057,
    IDC_LM_PUDL_FACTOR = 1058,
    IDC_LM_FRONT = 1037,
    IDC_LM_TOTAL_WEIGHT = 1057,
    IDC_LM_TOTAL_LENGTH = 1058,
};
