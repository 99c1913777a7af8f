#pragma once
// The "&Insert" menu and the "Insert" toolbar as rows of the command table.
#include <vector>

#include "app/CommandTable.h"

void AppendInsertCommands(std::vector<CCommand>& table);
