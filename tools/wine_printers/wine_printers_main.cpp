// wine_printers.exe: manages the printers of the Wine prefix it runs in.
//
//   wine_printers add NAME PORT [--default]   add (or replace) a PostScript printer
//   wine_printers remove NAME                 delete a printer (none is no error)
//   wine_printers default NAME                make NAME the default printer
//   wine_printers clear                       delete every printer
//   wine_printers list                        one line a printer: name, port, driver
//
// Exit code 0 on success, 1 when Windows refused, 2 for a wrong command line.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "printer_setup.h"

namespace {

const int kExitOk = 0;
const int kExitFailed = 1;
const int kExitUsage = 2;

int Usage()
{
    std::fprintf(stderr,
                 "usage: wine_printers add NAME PORT [--default]\n"
                 "       wine_printers remove NAME\n"
                 "       wine_printers default NAME\n"
                 "       wine_printers clear\n"
                 "       wine_printers list\n");
    return kExitUsage;
}

int Done(bool ok, const std::string& error)
{
    if (ok)
        return kExitOk;
    std::fprintf(stderr, "wine_printers: %s\n", error.c_str());
    return kExitFailed;
}

int List()
{
    std::vector<wine_printers::PrinterEntry> printers;
    std::string error;
    if (!wine_printers::ListPrinters(printers, error))
        return Done(false, error);
    const std::string defaultName = wine_printers::DefaultPrinterName();
    for (const wine_printers::PrinterEntry& printer : printers)
        std::printf("%s\t%s\t%s%s\n", printer.name.c_str(), printer.port.c_str(),
                    printer.driver.c_str(), printer.name == defaultName ? "\t(default)" : "");
    return kExitOk;
}

int Run(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    std::string error;
    if (command == "add" && (argc == 4 || (argc == 5 && std::strcmp(argv[4], "--default") == 0))) {
        bool ok = wine_printers::AddPrinterOnPort(argv[2], argv[3], error);
        if (ok && argc == 5)
            ok = wine_printers::MakeDefaultPrinter(argv[2], error);
        return Done(ok, error);
    }
    if (command == "remove" && argc == 3)
        return Done(wine_printers::RemovePrinter(argv[2], error), error);
    if (command == "default" && argc == 3)
        return Done(wine_printers::MakeDefaultPrinter(argv[2], error), error);
    if (command == "clear" && argc == 2)
        return Done(wine_printers::RemoveAllPrinters(error), error);
    if (command == "list" && argc == 2)
        return List();
    return Usage();
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wine_printers: %s\n", e.what());
        return kExitFailed;
    }
}
