#pragma once
// Objects bound to others by name keep that name when the other is renamed.
#include <string>

#include "plot/core/kPlotObject.h"
#include "rtl/StrUtils.h"

// When Object of Kind was renamed from Name, Name takes its new name.
inline void FollowRename(const TkPlotObject* Object, const TkPlotKind& Kind, std::string& Name)
{
    if (Object->Kind() == Kind && !Name.empty() && SameText(Name, Object->GetOldName()))
        Name = Object->GetName();
}
