#pragma once

#include <string>

namespace test_support {

// A CA and a server certificate for 127.0.0.1 and localhost, made with openssl at test time in
// a fresh temporary folder, once per process.
struct TestCertificates {
    std::string caCertificate;
    std::string serverCertificate;
    std::string serverKey;
    // Self-signed, so no check accepts it.
    std::string untrustedCertificate;
    std::string untrustedKey;
};

const TestCertificates& MakeTestCertificates();

}  // namespace test_support
