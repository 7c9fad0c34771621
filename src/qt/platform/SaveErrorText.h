#pragma once

#include <QString>
#include <string>

namespace trundlex {

// Why a file (a level, a course, the high scores) could not be written, in the user's language.
// The file layer says it in English as "<what failed> <path>: <system reason>", or that another
// program held the file's lock too long; the steps, the usual reasons and the lock are
// translated, anything else is shown as it came.
QString saveErrorText(const std::string& error);

}  // namespace trundlex
