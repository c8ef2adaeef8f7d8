#include <cstdio>
#include <cstdlib>

#include "commands.h"

namespace host {
namespace {

std::vector<const Command*>& registry() {
    static std::vector<const Command*> commands;
    return commands;
}

const Command* findCommand(const std::string& name) {
    for (const Command* c : registry())
        if (name == c->name) return c;
    return nullptr;
}

}  // namespace

CommandRegistrar::CommandRegistrar(const Command* commands, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) registry().push_back(&commands[i]);
}

int toInt(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 0)); }

int runCommands(Host& host, const Args& args) {
    if (args.empty() || args[0] == "commands") {
        for (const Command* c : registry()) std::printf("  %-14s %s\n", c->name, c->usage);
        return args.empty() ? 2 : 0;
    }
    for (std::size_t i = 0; i < args.size();) {
        const Command* c = findCommand(args[i]);
        if (!c) {
            std::fprintf(stderr, "host: unknown command %s\n", args[i].c_str());
            return 2;
        }
        if (i + 1 + static_cast<std::size_t>(c->arity) > args.size()) {
            std::fprintf(stderr, "host: %s takes %d argument(s): %s\n", c->name, c->arity, c->usage);
            return 2;
        }
        Args own(args.begin() + static_cast<long>(i) + 1, args.begin() + static_cast<long>(i) + 1 + c->arity);
        int code = c->run(host, own);
        std::fflush(stdout);
        if (code != 0) return code;
        i += 1 + static_cast<std::size_t>(c->arity);
    }
    return 0;
}

}  // namespace host
