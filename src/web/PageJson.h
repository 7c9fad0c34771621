#pragma once

#include <string>
#include <string_view>

namespace trundlex {
class Course;
class Level;
class LevelLibrary;
class Match;
}  // namespace trundlex

namespace trundlex::web {

// What a page draws and lists, as JSON for its script (the shapes are in trundlex-page.d.ts).
// The page reads the game's files only through these: it never parses a level or a course.

// {"id", "name", "author", "width", "height", "start": [x, y], "cells": [six numbers a block]}
std::string levelJson(const Level& level);
// {"id", "name", "levels": [level IDs]}
std::string courseJson(const Course& course);
// The level in a .lev file's bytes, or "" when they hold none.
std::string levelFileJson(std::string_view levFile);
// The course in a .cou file's bytes, or "" when they hold none.
std::string courseFileJson(std::string_view couFile);

// Reads the level in a .lev file's bytes; false (level unchanged) when they hold none, or one
// without an ID.
bool levelFromBytes(std::string_view levFile, Level& level);

// A JSON string literal of `text`, quotes included; bytes that are not valid UTF-8 become
// U+FFFD, so that a name from an old file cannot break the page's parser.
std::string jsonString(std::string_view text);

}  // namespace trundlex::web
