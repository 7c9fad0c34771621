#pragma once

#include <QString>
#include <string>

namespace trundlex {

// Why a level file could not be written, in the user's language. The file layer says it in
// English as "<what failed> <path>: <system reason>"; the steps and the usual reasons are
// translated, anything else is shown as it came.
QString saveErrorText(const std::string& error);

}  // namespace trundlex
