#include "rtl/PublishedEnum.h"

#include <cctype>

#include "rtl/Exception.h"
#include "rtl/StrUtils.h"

std::vector<std::string> SplitPublishedNames(std::string_view List)
{
    std::vector<std::string> names;
    while (!List.empty()) {
        const std::size_t comma = List.find(',');
        std::string name = Trim(List.substr(0, comma));
        // An enumerator given a value would put every later name at the
        // wrong ordinal.
        for (char c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
                throw EListError("Published enumeration name \"" + name + "\" is not a plain enumerator");
        names.push_back(std::move(name));
        if (comma == std::string_view::npos)
            break;
        List.remove_prefix(comma + 1);
    }
    return names;
}
