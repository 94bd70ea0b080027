// dmsctl help man | completion: the manual page (roff) and a bash
// completion script, both made from the command definitions themselves.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli.h"
#include "dmscontent/dmscontent.h"

namespace dmsctl {
namespace {

// Commands are at most three levels deep (dmsctl GROUP COMMAND); the walk
// stops there whatever the tree holds.
constexpr int kMaxDepth = 3;

const CLI::App& rootOf(const CLI::App& app) {
    const CLI::App* a = &app;
    while (a->get_parent()) a = a->get_parent();
    return *a;
}

// Roff text: backslashes and leading dots or quotes made literal.
std::string roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

std::string usage(const CLI::App& cmd) {
    std::string line;
    for (const CLI::Option* o : cmd.get_options([](const CLI::Option* o) { return o->get_positional(); })) {
        const std::string name = o->get_name(true);
        line += o->get_required() ? " " + name : " [" + name + "]";
    }
    if (!cmd.get_options([](const CLI::Option* o) { return o->nonpositional() && o->get_name() != "--help"; })
             .empty())
        line += " [OPTIONS]";
    return line;
}

void manOptions(const CLI::App& cmd) {
    for (const CLI::Option* o : cmd.get_options([](const CLI::Option* o) { return o->nonpositional(); })) {
        if (o->get_name() == "--help" || o->get_name() == "--help-all") continue;
        std::printf(".TP\n.B %s\n%s\n", roff(o->get_name(false, true)).c_str(), roff(o->get_description()).c_str());
    }
}

void manCommands(const CLI::App& app, const std::string& path, int depth) {
    if (depth > kMaxDepth) return;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
        const std::string name = path + " " + sub->get_name();
        if (sub->get_subcommands([](const CLI::App*) { return true; }).empty()) {
            std::printf(".TP\n.B %s\\fR%s\n%s\n", roff(name).c_str(), roff(usage(*sub)).c_str(),
                        roff(sub->get_description()).c_str());
            if (!sub->get_options([](const CLI::Option* o) { return o->nonpositional() && o->get_name() != "--help"; })
                     .empty()) {
                std::printf(".RS\n");
                manOptions(*sub);
                std::printf(".RE\n");
            }
        } else {
            std::printf(".SS %s\n%s\n", roff(name).c_str(), roff(sub->get_description()).c_str());
            manCommands(*sub, name, depth + 1);
        }
    }
}

void printMan(const CLI::App& root) {
    std::printf(".TH DMSCTL 1 \"\" \"dmscontent %s\" \"User Commands\"\n", dmsVersion());
    std::printf(".SH NAME\ndmsctl \\- %s\n", roff("put content on NTCIP 1203 dynamic message signs").c_str());
    std::printf(".SH SYNOPSIS\n.B dmsctl\n[\\fIOPTIONS\\fR] \\fIGROUP\\fR \\fICOMMAND\\fR [\\fIARGUMENTS\\fR]\n");
    std::printf(".SH DESCRIPTION\n%s\n",
                roff("dmsctl does everything the dmscontent library does: message documents and rows, MULTI "
                     "checks and previews, fonts, pictures, schedules and the sign clock, against a simulated "
                     "sign kept in a state file or a sign reached over SNMP.")
                    .c_str());
    std::printf(".SH OPTIONS\n");
    manOptions(root);
    std::printf(".SH COMMANDS\n");
    manCommands(root, "dmsctl", 1);
    std::printf(".SH EXIT STATUS\n0 done, 1 refused or failed, 2 a usage error.\n");
    std::printf(".SH ENVIRONMENT\n.TP\n.B TQDMS_SIGN\nThe sign, as \\-\\-sign names it.\n");
}

// Each command path ("dmsctl", "dmsctl fonts", ...) with the words that
// may follow it.
void completionPaths(const CLI::App& app, const std::string& path, int depth,
                     std::vector<std::pair<std::string, std::string>>& out) {
    if (depth > kMaxDepth) return;
    std::string words;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) words += sub->get_name() + " ";
    for (const CLI::Option* o : app.get_options([](const CLI::Option* o) { return o->nonpositional(); }))
        for (const std::string& n : o->get_lnames()) words += "--" + n + " ";
    if (!words.empty()) words.pop_back();
    out.emplace_back(path, words);
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        completionPaths(*sub, path + " " + sub->get_name(), depth + 1, out);
}

void printCompletion(const CLI::App& root) {
    std::vector<std::pair<std::string, std::string>> paths;
    completionPaths(root, "dmsctl", 1, paths);
    std::string known = "|";
    for (const auto& p : paths) known += p.first + "|";
    std::printf("# bash completion for dmsctl %s (made by dmsctl help completion)\n", dmsVersion());
    std::printf("_dmsctl() {\n");
    std::printf("  local cur=${COMP_WORDS[COMP_CWORD]} path=dmsctl i w words\n");
    std::printf("  local known='%s'\n", known.c_str());
    std::printf("  for ((i = 1; i < COMP_CWORD; i++)); do\n");
    std::printf("    w=${COMP_WORDS[i]}\n");
    std::printf("    [[ $known == *\"|$path $w|\"* ]] && path=\"$path $w\"\n");
    std::printf("  done\n");
    std::printf("  case $path in\n");
    for (const auto& p : paths) std::printf("    \"%s\") words=\"%s\" ;;\n", p.first.c_str(), p.second.c_str());
    std::printf("  esac\n");
    std::printf("  if [[ $cur == -* || -n $words ]]; then\n");
    std::printf("    COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n");
    std::printf("  else\n    COMPREPLY=($(compgen -f -- \"$cur\"))\n  fi\n}\n");
    std::printf("complete -o filenames -F _dmsctl dmsctl\n");
}

void addHelp(CLI::App& help) {
    help.add_subcommand("man", "Print the manual page (roff)")->callback([&help] { printMan(rootOf(help)); });
    help.add_subcommand("completion", "Print the bash completion script")->callback([&help] {
        printCompletion(rootOf(help));
    });
}

Register reg("help", "The manual page and shell completion", addHelp);

}  // namespace
}  // namespace dmsctl
