// The download of the update check's version file with libcurl: into memory, within time-outs, a
// size cap and a redirect limit, and accepted only as the complete body of a successful answer. It
// runs on the host's only thread, so a server that stalls must end in a failure, never a frozen host.
#ifndef ZELTO_EXPORT_VERSIONDOWNLOAD_HPP
#define ZELTO_EXPORT_VERSIONDOWNLOAD_HPP

#include <cstddef>
#include <string>

namespace WRL {

// The version file's name, and its address on the maker's server.
inline constexpr char versionFile[] = "ZELTO_exporter_for_ArchiCAD_version.ini";
inline constexpr char versionUrl[] = "https://zelto.example/files/updates/ZELTO_exporter_for_ArchiCAD_version.ini";

// Where and how the version file is fetched.
struct UpdateServer {
    std::string url;
    std::string protocols;          // allowed for the request, as libcurl lists them ("https")
    std::string redirectProtocols;  // allowed for every redirect
    long connectTimeoutMs = 0;
    long transferTimeoutMs = 0;  // the whole transfer, connection included
    std::size_t maxBytes = 0;    // a larger body fails the download
    long maxRedirects = 0;

    // The maker's server over HTTPS, with the limits of a check from the menu.
    static UpdateServer Production();
};

// The version file's bytes into body. False, after logging what failed, unless the whole body of
// a 200 answer arrived within the server's limits; body is then empty.
bool DownloadVersionFile(const UpdateServer& server, std::string& body);

}  // namespace WRL

#endif
