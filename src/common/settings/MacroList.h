// The macro editor's working copy of the table: an ordered list of records, loaded from the
// block when the editor opens and written back as a whole when it is confirmed. Deleting keeps
// the buttons' macro indices pointing at the same macros.
#pragma once

#include <vector>

#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"

namespace k2q {

using MacroList = std::vector<tagMACROINFO>;

// Copies of records 0 .. count-1. Copies are made safe for every later reader: a name gets its
// terminating zero at the last unit and the event count is held to the record's 200.
MacroList LoadMacroList(const MacroSetting& table);

// Rebuilds the whole block from the list: zeroes, the records in list order (at most 100), and
// the count.
void BuildMacroBlock(const MacroList& list, MacroSetting& table);

enum class DeleteMacroResult { Deleted, RefusedInUse, NoSuchMacro };

// Deletes macro `index` from the list on behalf of the control `editedRecord`. Refused when any
// other record uses the macro; otherwise later macros move down and every record with the macro
// function pointing past the deleted one is moved down too. The edited record keeps its index.
DeleteMacroResult DeleteMacro(MacroList& list, ButtonSetting& buttons, int editedRecord,
                              int index);

// What a deletion does to a button block: every record with the macro function pointing past
// the deleted macro moves down with it.
void ShiftMacroIndexesPast(ButtonSetting& buttons, int deletedIndex);

}  // namespace k2q
