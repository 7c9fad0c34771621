#include "CourseLookup.h"

#include <filesystem>

#include "ToolFolders.h"
#include "solver/ShippedPars.h"

namespace trundlex::tool {

namespace fs = std::filesystem;

namespace {

// The course file `name` stands for; empty when none exists.
std::string findCourseFile(const std::string& name) {
    std::error_code error;
    if (name.empty() || fs::is_regular_file(name, error)) {
        return name;
    }
    const fs::path asked(name);
    if (asked.has_parent_path()) {
        return {};
    }
    fs::path file = asked;
    if (file.extension() != ".cou") {
        file += ".cou";
    }
    for (const std::string& folder : {shippedFolder("courses"), userFolder("courses")}) {
        if (folder.empty()) {
            continue;
        }
        const fs::path candidate = fs::path(folder) / file;
        if (fs::is_regular_file(candidate, error)) {
            return candidate.string();
        }
    }
    return {};
}

}  // namespace

bool loadNamedCourse(const std::string& name, Course& course, std::ostream& err) {
    const std::string file = findCourseFile(name);
    if (file.empty()) {
        err << name << ": not found\n";
        return false;
    }
    if (!course.load(file)) {
        err << name << ": cannot be read as a course file\n";
        return false;
    }
    return true;
}

bool readStrength(const std::string& text, ComputerStrength& strength) {
    if (text == "easy") {
        strength = ComputerStrength::Easy;
    } else if (text == "medium") {
        strength = ComputerStrength::Medium;
    } else if (text == "hard") {
        strength = ComputerStrength::Hard;
    } else {
        return false;
    }
    return true;
}

std::vector<DailyCourse::Candidate> dailyCandidates(const LevelLibrary& library,
                                                    const std::string& levelsFolder,
                                                    std::ostream& err) {
    const std::string path = (fs::path(levelsFolder) / "pars.txt").string();
    ShippedPars pars;
    switch (pars.load(path)) {
        case ShippedPars::ReadResult::Read:
            return DailyCourse::candidates(library, pars);
        case ShippedPars::ReadResult::Missing:
            // A folder of one's own levels, which has none: nothing to say.
            break;
        case ShippedPars::ReadResult::Refused:
            err << path << ": the table of pars is damaged, so no course of the day\n";
            break;
    }
    return {};
}

}  // namespace trundlex::tool
