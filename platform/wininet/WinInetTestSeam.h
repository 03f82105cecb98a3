#pragma once

// For tests only: trusts the CA certificates of a PEM file in addition to the system's trust
// store, for every later secure request of the process. Certificate checks stay on.

void InternetTrustCertificateAuthority(const char* pemFile);
