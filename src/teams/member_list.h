#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vexmoor {

// A team's member list as bots.cfg keeps it: "[", each name in double quotes,
// the quoted names separated by one blank, "]"; "[]" for no members.

// The names a member list holds, in order: the text between each pair of
// double quotes. The closing "]" is not looked at; a list that does not end
// in "]" (edited by hand) is read to its last character, so a list ending
// in a closing quote keeps its last name. A name left open at the end is
// not taken.
std::vector<std::string> memberNames(std::string_view list);

// The member list of these names.
std::string memberList(const std::vector<std::string>& names);

}  // namespace vexmoor
