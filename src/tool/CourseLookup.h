#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "library/Course.h"
#include "library/DailyCourse.h"
#include "play/ComputerPlayer.h"

namespace trundlex::tool {

// Loads the course a command line names into `course`: the path itself when it is a file, else
// (for a bare name, with or without ".cou") the file of that name in the shipped courses folder,
// then in the user's own. False after telling `err` "NAME: not found" or "NAME: cannot be read
// as a course file".
bool loadNamedCourse(const std::string& name, Course& course, std::ostream& err);

// The levels of `library` that the course of the day is drawn from: those whose par the table
// beside them ("pars.txt" in `levelsFolder`, the folder they were read from) holds. None when
// that table is missing, and when it is damaged (after telling `err`).
std::vector<DailyCourse::Candidate> dailyCandidates(const LevelLibrary& library,
                                                    const std::string& levelsFolder,
                                                    std::ostream& err);

// Reads a computer player's strength as a command line names it: easy, medium or hard. False
// (`strength` unchanged) for anything else.
bool readStrength(const std::string& text, ComputerStrength& strength);

}  // namespace trundlex::tool
