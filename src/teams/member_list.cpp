#include "teams/member_list.h"

namespace vexmoor {

std::vector<std::string> memberNames(std::string_view list) {
    std::vector<std::string> names;
    std::size_t end = list.size();
    if (!list.empty() && list.back() == ']') --end;
    bool inside = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < end; ++i) {
        if (list[i] != '"') continue;
        if (inside)
            names.emplace_back(list.substr(start, i - start));
        else
            start = i + 1;
        inside = !inside;
    }
    return names;
}

std::string memberList(const std::vector<std::string>& names) {
    std::string list = "[";
    for (const std::string& name : names) {
        if (list.size() > 1) list += ' ';
        list += '"';
        list += name;
        list += '"';
    }
    return list + "]";
}

}  // namespace vexmoor
