#pragma once

// The text of a recovery file: a document the window had not saved, kept so that a later run can
// put it back exactly. It holds every value of the document that the user can change: the header's
// path, each option field by its macro name, and each name table row that has an identifier or a
// comment, by its row number (rows between stay empty, rows with a comment alone keep it). One
// "key=value" line each, between a first line naming the format and a last line closing it, so a
// file cut short is told apart. Values are the 8-bit bytes as typed; a backslash, and any control
// byte, is written as an escape ("\\", "\n", "\r", "\x1b"), so each value stays on its line.
//
//     ZURcfg_Tool unsaved work 1
//     path=/home/ann/rtos/ZURcfg.h
//     OS_TASKS=3
//     ...
//     PROJECT_NAME=Blinker
//     BSEMS 0=BS_READY
//     BSEMS 0 comment=set by the receiver
//     end

#include <optional>
#include <string>
#include <string_view>

#include "config/document.h"

namespace zurcfg {

std::string FormatRecoveryRecord(const Document& document);

// The document a record holds, with no table edit stamp and no fingerprint of the file; nothing
// when the text is not a complete record: a first or last line missing, a line without "=", a
// bad escape, or a field missing or out of its range. Keys it does not know are passed over.
std::optional<Document> ParseRecoveryRecord(std::string_view text);

}  // namespace zurcfg
