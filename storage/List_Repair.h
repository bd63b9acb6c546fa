#pragma once
#include "slots/LinkList.h"

// Makes a list read from a damaged file consistent. A list that passes the check is left as
// it is; otherwise it is rebuilt, keeping every node index and record, from the slots that
// can be reached from Head along Next, followed by any further ones reached from Tail along
// Prev. True when it had to rebuild.
bool Repair_List(LinkList& L);
