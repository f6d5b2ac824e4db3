#pragma once
// The minimal world `velk-pack new-world` writes: its source files, compiled
// into the tool (the generated world_template.cpp).

#include <string>
#include <vector>

namespace velk::pack {

struct TemplateFile {
    const char* path;  // relative to the source folder
    const char* text;
};

const std::vector<TemplateFile>& worldTemplate();

}  // namespace velk::pack
