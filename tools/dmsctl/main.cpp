// dmsctl: a command line for everything the content library does, against
// a simulated sign kept in a state file or a sign reached over SNMP (--sign).
#include <iostream>
#include <string>

#include "cli.h"
#include "dmscontent/dmscontent.h"

int main(int argc, char** argv) {
    CLI::App app{"dmsctl - put content on NTCIP 1203 dynamic message signs"};
    app.set_help_all_flag("--help-all", "Show every command's help");
    app.set_version_flag("--version", std::string("dmsctl ") + dmsVersion(), "Print the version and exit");
    app.require_subcommand(1);
    app.fallthrough();
    dmsctl::Context& ctx = dmsctl::context();
    app.add_option("--sign", ctx.signFile,
                   "The sign: a simulated sign's state file (created on first use) or "
                   "snmp://[COMMUNITY@]HOST[:PORT][?version=1|2c|3&timeout=MS&retries=N&user=..&auth=..&priv=..]")
        ->capture_default_str();
    app.add_flag("--json", ctx.json, "Print results as JSON");
    app.add_flag("-q,--quiet", ctx.quiet, "No progress display; of the library's log lines only errors");
    app.add_flag("-v,--verbose", ctx.verbose, "Also the library's information log lines");
    dmsctl::installLogSink();
    dmsctl::registerAll(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "dmsctl: " << e.what() << " (see dmsctl --help)\n";
        return 2;
    } catch (const dmsctl::Failure& f) {
        std::cerr << "dmsctl: " << f.message << "\n";
        return f.exitCode;
    } catch (const std::exception& e) {
        std::cerr << "dmsctl: " << e.what() << "\n";
        return 1;
    }
    return ctx.saveFailed ? 1 : ctx.exitCode;
}
