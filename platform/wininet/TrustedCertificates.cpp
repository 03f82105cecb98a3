#include "platform/wininet/TrustedCertificates.h"

#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/wininet/WinInetTestSeam.h"

namespace {

std::vector<std::string>& TrustedFiles() {
    static std::vector<std::string> files;
    return files;
}

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

struct CertificateFree {
    void operator()(X509* certificate) const { X509_free(certificate); }
};

void AddFileToStore(const std::string& path, X509_STORE* store) {
    const std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "r"));
    if (!file) {
        return;
    }
    while (true) {
        const std::unique_ptr<X509, CertificateFree> certificate(
            PEM_read_X509(file.get(), nullptr, nullptr, nullptr));
        if (!certificate) {
            return;
        }
        X509_STORE_add_cert(store, certificate.get());
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

void InternetTrustCertificateAuthority(const char* pemFile) {
    TrustedFiles().emplace_back(pemFile);
}

void AddTrustedCertificates(CURL* easy) {
    if (!TrustedFiles().empty()) {
        curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, &AddToContext);
    }
}
