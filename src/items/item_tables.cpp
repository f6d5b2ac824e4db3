#include "items/item_tables.h"

ItemTables g_itemTables;
