#pragma once

#include <ostream>
#include <string>

#include "library/Course.h"

namespace trundlex::tool {

// Loads the course a command line names into `course`: the path itself when it is a file, else
// (for a bare name, with or without ".cou") the file of that name in the shipped courses folder,
// then in the user's own. False after telling `err` "NAME: not found" or "NAME: cannot be read
// as a course file".
bool loadNamedCourse(const std::string& name, Course& course, std::ostream& err);

}  // namespace trundlex::tool
