#pragma once

#include <curl/curl.h>

namespace wininet {

// Adds the CA certificates that a test trusted to the TLS context of one transfer.
void AddTrustedCertificates(CURL* easy);

}  // namespace wininet
