#include "ZELTO_export_VersionDownload.hpp"

#include <curl/curl.h>

#include <memory>
#include <new>

#include "LogHelpers.hpp"

namespace {

constexpr long ProductionConnectTimeoutMs = 10 * 1000;
constexpr long ProductionTransferTimeoutMs = 30 * 1000;
constexpr std::size_t ProductionMaxBytes = 64 * 1024;
constexpr long ProductionMaxRedirects = 5;
constexpr char ProductionProtocols[] = "https";

// The only status of a complete answer: 206 brings part of the file, 204 none, 203 another's copy.
constexpr long CompleteAnswerStatus = 200;

// The body being received, and whether the server offered more than the cap.
struct ReceivedBody {
    std::string& bytes;
    std::size_t maxBytes;
    bool tooLarge = false;
};

struct EasyHandleCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleCleanup>;

// libcurl's write callback: appends the received bytes to the body, or takes none (which ends the
// transfer) when they would pass the cap. Nothing may be thrown back through libcurl.
std::size_t write_data(char* buffer, std::size_t size, std::size_t count, void* download)
{
    ReceivedBody& body = *static_cast<ReceivedBody*>(download);
    const std::size_t bytes = size * count;
    if (bytes > body.maxBytes - body.bytes.size()) {
        body.tooLarge = true;
        return 0;
    }
    try {
        body.bytes.append(buffer, bytes);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return bytes;
}

template <typename Value>
bool SetOption(CURL* handle, CURLoption option, Value value, const char* name)
{
    const CURLcode result = curl_easy_setopt(handle, option, value);
    if (result != CURLE_OK)
        LogMessageError("Zelto_export:: Update check: cannot set %s: %s\n", name, curl_easy_strerror(result));
    return result == CURLE_OK;
}

// The request, its limits and where the body goes. The server is asked on the host's only thread,
// so every wait is bounded and libcurl must not use signals for its time-outs.
bool ConfigureTransfer(CURL* handle, const WRL::UpdateServer& server, ReceivedBody* body, char* errorText)
{
    return SetOption(handle, CURLOPT_ERRORBUFFER, errorText, "the error buffer") &&
           SetOption(handle, CURLOPT_URL, server.url.c_str(), "the URL") &&
           SetOption(handle, CURLOPT_PROTOCOLS_STR, server.protocols.c_str(), "the protocols") &&
           SetOption(handle, CURLOPT_REDIR_PROTOCOLS_STR, server.redirectProtocols.c_str(), "the redirect protocols") &&
           SetOption(handle, CURLOPT_FOLLOWLOCATION, 1L, "redirect following") &&
           SetOption(handle, CURLOPT_MAXREDIRS, server.maxRedirects, "the redirect limit") &&
           SetOption(handle, CURLOPT_CONNECTTIMEOUT_MS, server.connectTimeoutMs, "the connect time-out") &&
           SetOption(handle, CURLOPT_TIMEOUT_MS, server.transferTimeoutMs, "the transfer time-out") &&
           SetOption(handle, CURLOPT_NOSIGNAL, 1L, "no signals") &&
           SetOption(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(server.maxBytes), "the size cap") &&
           SetOption(handle, CURLOPT_WRITEFUNCTION, write_data, "the write callback") &&
           SetOption(handle, CURLOPT_WRITEDATA, static_cast<void*>(body), "the body");
}

// Only the whole body of a complete answer counts: an error page may hold anything, a partial one
// only a piece of the file.
bool IsCompleteAnswer(CURL* handle, const WRL::UpdateServer& server, const ReceivedBody& body, CURLcode result,
                      const char* errorText)
{
    if (body.tooLarge) {
        LogMessageError("Zelto_export:: Update check: the answer of %s is larger than %zu bytes\n", server.url.c_str(),
                        server.maxBytes);
        return false;
    }
    if (result != CURLE_OK) {
        LogMessageError("Zelto_export:: Update check: the download of %s failed: %s\n", server.url.c_str(),
                        *errorText != '\0' ? errorText : curl_easy_strerror(result));
        return false;
    }
    long status = 0;
    if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status != CompleteAnswerStatus) {
        LogMessageError("Zelto_export:: Update check: %s answered with HTTP status %ld\n", server.url.c_str(), status);
        return false;
    }
    return true;
}

}  // namespace

namespace WRL {

UpdateServer UpdateServer::Production()
{
    UpdateServer server;
    server.url = versionUrl;
    server.protocols = ProductionProtocols;
    server.redirectProtocols = ProductionProtocols;
    server.connectTimeoutMs = ProductionConnectTimeoutMs;
    server.transferTimeoutMs = ProductionTransferTimeoutMs;
    server.maxBytes = ProductionMaxBytes;
    server.maxRedirects = ProductionMaxRedirects;
    return server;
}

bool DownloadVersionFile(const UpdateServer& server, std::string& body)
{
    body.clear();
    char errorText[CURL_ERROR_SIZE] = {};
    ReceivedBody received{body, server.maxBytes};
    const EasyHandle handle(curl_easy_init());
    if (handle == nullptr) {
        LogMessageError("Zelto_export:: Update check: libcurl could not start a transfer\n");
        return false;
    }
    if (!ConfigureTransfer(handle.get(), server, &received, errorText))
        return false;
    const CURLcode result = curl_easy_perform(handle.get());
    if (IsCompleteAnswer(handle.get(), server, received, result, errorText))
        return true;
    body.clear();
    return false;
}

}  // namespace WRL
