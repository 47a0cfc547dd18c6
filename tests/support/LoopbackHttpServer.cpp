#include "LoopbackHttpServer.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace {

constexpr std::size_t MaxRequestHead = 64 * 1024;
constexpr char HeadEnd[] = "\r\n\r\n";
// A connection on loopback is made at once or not at all: one still pending after this long has
// had its first attempt dropped.
constexpr int PendingConnectMs = 200;
constexpr int MaxQueueFillers = 16;

[[noreturn]] void ThrowSystemError(const char* what)
{
    throw std::runtime_error(std::string("loopback HTTP server: ") + what + ": " + std::strerror(errno));
}

void CloseIfOpen(int& descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

// A TCP socket bound to 127.0.0.1 on a port the system chooses; the port is read back.
int BindLoopbackSocket(int* port)
{
    const int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        ThrowSystemError("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t size = sizeof address;
    if (::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        ThrowSystemError("bind");
    }
    *port = ntohs(address.sin_port);
    return descriptor;
}

const char* ReasonPhrase(int status)
{
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 206:
            return "Partial Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Scripted";
    }
}

// Sends as much as the peer takes; a peer that went away ends the answer quietly.
void SendAll(int socket, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        sent += static_cast<std::size_t>(count);
    }
}

std::string ResponseBytes(const HttpAnswer& answer)
{
    std::string bytes = "HTTP/1.1 " + std::to_string(answer.status) + " " + ReasonPhrase(answer.status) + "\r\n";
    for (const std::string& header : answer.headers)
        bytes += header + "\r\n";
    if (answer.announceLength)
        bytes += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
    bytes += "Connection: close\r\n\r\n";
    if (answer.delivery == HttpAnswer::Delivery::CutShort)
        return bytes + answer.body.substr(0, answer.body.size() / 2);
    return bytes + answer.body;
}

std::string LoopbackUrl(int port, const std::string& path)
{
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

// The request line's second word: the target.
std::string TargetOf(const std::string& requestLine)
{
    const std::size_t start = requestLine.find(' ');
    if (start == std::string::npos)
        return "";
    const std::size_t end = requestLine.find(' ', start + 1);
    return requestLine.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

}  // namespace

HttpAnswer HttpAnswer::Ok(std::string body)
{
    HttpAnswer answer;
    answer.body = std::move(body);
    return answer;
}

HttpAnswer HttpAnswer::Status(int status, std::string body)
{
    HttpAnswer answer;
    answer.status = status;
    answer.body = std::move(body);
    return answer;
}

HttpAnswer HttpAnswer::RedirectTo(const std::string& location, int status)
{
    HttpAnswer answer;
    answer.status = status;
    answer.headers.push_back("Location: " + location);
    return answer;
}

LoopbackHttpServer::LoopbackHttpServer()
{
    listener = BindLoopbackSocket(&port);
    if (::listen(listener, 8) != 0 || ::pipe2(stopPipe, O_CLOEXEC) != 0) {
        const int error = errno;
        CloseIfOpen(listener);
        errno = error;
        ThrowSystemError("listen");
    }
    try {
        thread = std::thread(&LoopbackHttpServer::Serve, this);
    } catch (const std::system_error&) {
        CloseIfOpen(listener);
        CloseIfOpen(stopPipe[0]);
        CloseIfOpen(stopPipe[1]);
        throw;
    }
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    const char stop = 's';
    while (::write(stopPipe[1], &stop, 1) < 0 && errno == EINTR) {
    }
    thread.join();
    CloseIfOpen(listener);
    CloseIfOpen(stopPipe[0]);
    CloseIfOpen(stopPipe[1]);
}

void LoopbackHttpServer::Answer(const std::string& target, HttpAnswer answer)
{
    const std::lock_guard<std::mutex> lock(mutex);
    answers[target] = std::move(answer);
}

void LoopbackHttpServer::WhileAnswering(std::function<void()> probe)
{
    const std::lock_guard<std::mutex> lock(mutex);
    whileAnswering = std::move(probe);
}

std::string LoopbackHttpServer::UrlOf(const std::string& path) const
{
    return LoopbackUrl(port, path);
}

std::vector<std::string> LoopbackHttpServer::Requests() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return requests;
}

HttpAnswer LoopbackHttpServer::AnswerFor(const std::string& requestLine) const
{
    const std::lock_guard<std::mutex> lock(mutex);
    const auto scripted = answers.find(TargetOf(requestLine));
    return scripted != answers.end() ? scripted->second : HttpAnswer::Status(404);
}

// True when the socket has something to read (data or its end); false once the server stops.
bool LoopbackHttpServer::WaitUntilReadable(int socket) const
{
    pollfd watched[2] = {{socket, POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
    for (;;) {
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (watched[1].revents != 0)
            return false;
        if (watched[0].revents != 0)
            return true;
    }
}

void LoopbackHttpServer::Serve()
{
    while (WaitUntilReadable(listener)) {
        const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        ServeConnection(client);
        ::close(client);
    }
}

void LoopbackHttpServer::ServeConnection(int client)
{
    std::string head;
    char buffer[4096];
    while (head.find(HeadEnd) == std::string::npos && head.size() < MaxRequestHead) {
        if (!WaitUntilReadable(client))
            return;
        const ssize_t count = ::recv(client, buffer, sizeof buffer, 0);
        if (count <= 0)
            return;
        head.append(buffer, static_cast<std::size_t>(count));
    }
    const std::string requestLine = head.substr(0, head.find("\r\n"));
    std::function<void()> probe;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        requests.push_back(requestLine);
        probe = whileAnswering;
    }
    if (probe)
        probe();
    const HttpAnswer answer = AnswerFor(requestLine);
    if (answer.delivery == HttpAnswer::Delivery::Stall) {
        // Holds the connection until the client closes it (or the server stops).
        while (WaitUntilReadable(client) && ::recv(client, buffer, sizeof buffer, 0) > 0) {
        }
        return;
    }
    SendAll(client, ResponseBytes(answer));
}

// The port is read back in the body: a member initialiser would be overwritten by port's own.
RefusingLoopbackPort::RefusingLoopbackPort()
{
    socket = BindLoopbackSocket(&port);
}

RefusingLoopbackPort::~RefusingLoopbackPort()
{
    CloseIfOpen(socket);
}

UnansweredLoopbackPort::UnansweredLoopbackPort()
{
    listener = BindLoopbackSocket(&port);
    try {
        if (::listen(listener, 0) != 0)
            ThrowSystemError("listen");
        FillQueue();
    } catch (...) {
        for (int& filler : fillers)
            CloseIfOpen(filler);
        CloseIfOpen(listener);
        throw;
    }
}

UnansweredLoopbackPort::~UnansweredLoopbackPort()
{
    for (int& filler : fillers)
        CloseIfOpen(filler);
    CloseIfOpen(listener);
}

std::string UnansweredLoopbackPort::UrlOf(const std::string& path) const
{
    return LoopbackUrl(port, path);
}

// Connects to the listener until an attempt stays pending: the queue is then full.
void UnansweredLoopbackPort::FillQueue()
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    for (int attempt = 0; attempt < MaxQueueFillers; ++attempt) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (filler < 0)
            ThrowSystemError("socket");
        fillers.push_back(filler);
        if (::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 && errno != EINPROGRESS)
            ThrowSystemError("connect");
        pollfd watched = {filler, POLLOUT, 0};
        const int ready = ::poll(&watched, 1, PendingConnectMs);
        if (ready < 0)
            ThrowSystemError("poll");
        if (ready == 0)
            return;
    }
    throw std::runtime_error("loopback HTTP server: the listening queue did not fill");
}
