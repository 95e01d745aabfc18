// The list engine's invariants, checked against its records and the control
// it serves: the logical orders a permutation; the control holding exactly the
// visible columns in logical order and showing them in logical display order;
// every item's sub-item list aligned with the columns; the hideable count.
#pragma once

#include <string>

#include "listctrl/list_base.h"

// An empty text when every invariant holds; otherwise what is broken.
std::string CheckEngineInvariants(CListBase& engine, CWnd& list);
