#include "platform/wininet/TrustedCertificates.h"

#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/wininet/WinInetTestSeam.h"
#include "runtime/Owned.h"

namespace wininet {
namespace {

std::vector<std::string>& TrustedFiles() {
    static std::vector<std::string> files;
    return files;
}

void CloseFile(std::FILE* file) {
    std::fclose(file);
}

using File = runtime::Owned<std::FILE*, CloseFile>;
using Certificate = runtime::Owned<X509*, X509_free>;

void AddFileToStore(const std::string& path, X509_STORE* store) {
    const File file(std::fopen(path.c_str(), "r"));
    if (!file) {
        return;
    }
    while (true) {
        const Certificate certificate(PEM_read_X509(file.handle, nullptr, nullptr, nullptr));
        if (!certificate) {
            return;
        }
        X509_STORE_add_cert(store, certificate.handle);
    }
}

CURLcode AddToContext(CURL* /*easy*/, void* sslContext, void* /*userData*/) {
    X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslContext));
    for (const std::string& path : TrustedFiles()) {
        AddFileToStore(path, store);
    }
    return CURLE_OK;
}

}  // namespace

void AddTrustedCertificates(CURL* easy) {
    if (!TrustedFiles().empty()) {
        curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &AddToContext);
    }
}

}  // namespace wininet

void InternetTrustCertificateAuthority(const char* pemFile) {
    wininet::TrustedFiles().emplace_back(pemFile);
}
