#pragma once

#include <string>

namespace trundlex::tool {

// The course file a command line names: the path itself when it is a file, else (for a bare
// name, with or without ".cou") the file of that name in the shipped courses folder, then in
// the user's own. Empty when none exists.
std::string findCourseFile(const std::string& name);

}  // namespace trundlex::tool
