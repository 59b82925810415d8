#pragma once
// What a screen opened by "segueFavoritos" takes over: the main screen's very
// favourites list and catalogue list, shared, never copied.
#include "catalogue/Acorde.h"

namespace finder {

class ChordListReceiver {
public:
    virtual ~ChordListReceiver() = default;
    virtual void setFilteredTableData(catalogue::ChordListRef list) = 0;
    virtual void setAllTableData(catalogue::ChordListRef list) = 0;
};

} // namespace finder
