// Tests decide where "the program" lives, so that its settings file and asset
// folder land in a scratch directory.
#pragma once

#include <string>

extern std::string fake_program_path;
