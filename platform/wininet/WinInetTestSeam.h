#pragma once

// For tests only.

// Trusts the CA certificates of a PEM file in addition to the system's trust store, for every
// later secure request of the process. Certificate checks stay on.
void InternetTrustCertificateAuthority(const char* pemFile);

// Sets the total time one request may take from its send to its last byte, for every later
// request of the process, so a test can see the limit act without waiting minutes. Returns the
// limit it replaces.
unsigned long InternetSetRequestTimeLimit(unsigned long milliseconds);
