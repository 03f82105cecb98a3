#include "tests/support/http/TestCertificates.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace test_support {
namespace {

void Run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

TestCertificates Make() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tolvane-ca-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    const std::string dir = pattern + "/";
    const std::string key = "-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes";
    Run("openssl req -x509 " + key + " -keyout " + dir + "ca.key -out " + dir +
        "ca.pem -days 2 -subj /CN=TolvaneTestCA"
        " -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign");
    Run("openssl req " + key + " -keyout " + dir + "server.key -out " + dir +
        "server.csr -subj /CN=127.0.0.1");
    std::ofstream(dir + "server.ext") << "subjectAltName=IP:127.0.0.1,DNS:localhost\n"
                                         "basicConstraints=CA:FALSE\n"
                                         "extendedKeyUsage=serverAuth\n";
    Run("openssl x509 -req -in " + dir + "server.csr -CA " + dir + "ca.pem -CAkey " + dir +
        "ca.key -CAcreateserial -days 2 -extfile " + dir + "server.ext -out " + dir + "server.pem");
    Run("openssl req -x509 " + key + " -keyout " + dir + "untrusted.key -out " + dir +
        "untrusted.pem -days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1");
    return {dir + "ca.pem", dir + "server.pem", dir + "server.key", dir + "untrusted.pem",
            dir + "untrusted.key"};
}

}  // namespace

const TestCertificates& MakeTestCertificates() {
    static const TestCertificates certificates = Make();
    return certificates;
}

}  // namespace test_support
