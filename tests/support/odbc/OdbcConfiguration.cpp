#include "tests/support/odbc/OdbcConfiguration.h"

#include <cstdlib>
#include <string>

namespace odbc_test {
namespace {

std::string ConfigurationFolder(DriverSetup setup) {
    const std::string root = TOLVANE_ODBC_CONFIG_ROOT;
    switch (setup) {
        case DriverSetup::Sqlite:
            return root + "/sqlite";
        case DriverSetup::FreeTds:
            return root + "/freetds";
        case DriverSetup::Scripted:
            return root + "/scripted";
    }
    return root;
}

}  // namespace

void UseOdbcConfiguration(DriverSetup setup) {
    const std::string folder = ConfigurationFolder(setup);
    setenv("ODBCSYSINI", folder.c_str(), 1);
    setenv("ODBCINI", (folder + "/odbc.ini").c_str(), 1);
    setenv("FREETDSCONF", TOLVANE_FREETDS_CONF, 1);
}

}  // namespace odbc_test
