// The host's commands: each names an export (or a few) and how many
// arguments it takes from the command line. Each subsystem's commands live
// in their own file and register themselves.
#pragma once

#include <string>
#include <vector>

#include "host.h"

namespace host {

using Args = std::vector<std::string>;

struct Command {
    const char* name;
    int arity;
    const char* usage;
    // Returns 0 when the command ran; its output goes to stdout.
    int (*run)(Host& host, const Args& args);
};

struct CommandRegistrar {
    CommandRegistrar(const Command* commands, std::size_t count);
};

#define HOST_COMMANDS(table) \
    static const ::host::CommandRegistrar table##_registrar(table, sizeof(table) / sizeof(table[0]))

int toInt(const std::string& text);

}  // namespace host
