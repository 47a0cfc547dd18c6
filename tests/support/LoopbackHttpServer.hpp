// A small HTTP/1.1 server on the loopback interface for tests that run a real HTTP client: it binds
// 127.0.0.1 on a port the system chooses, serves one connection at a time on a thread of its own
// and answers each request target with the answer scripted for it (404 for any other). It never
// reaches beyond this machine and stops, closing every socket, when it is destroyed.
//
//     LoopbackHttpServer server;
//     server.Answer("/version.ini", HttpAnswer::Ok("version=2.63\n"));
//     server.Answer("/old.ini", HttpAnswer::RedirectTo("/version.ini"));
//     ... fetch server.UrlOf("/old.ini") ...
//     server.Requests();  // {"GET /old.ini HTTP/1.1", "GET /version.ini HTTP/1.1"}
#ifndef TESTS_SUPPORT_LOOPBACKHTTPSERVER_HPP
#define TESTS_SUPPORT_LOOPBACKHTTPSERVER_HPP

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpAnswer {
    enum class Delivery {
        Whole,     // the status line, the headers and the whole body, then the connection closes
        CutShort,  // announces the whole body but sends only its first half, then closes
        Stall,     // sends nothing and holds the connection until the client gives up
    };

    int status = 200;
    std::vector<std::string> headers;  // "Name: value" lines besides Content-Length and Connection
    std::string body;
    bool announceLength = true;  // false: no Content-Length, the body ends where the connection does
    Delivery delivery = Delivery::Whole;

    static HttpAnswer Ok(std::string body);
    static HttpAnswer Status(int status, std::string body = "");
    static HttpAnswer RedirectTo(const std::string& location, int status = 302);
};

class LoopbackHttpServer {
public:
    // Throws std::runtime_error when the socket cannot be made or the thread cannot start.
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Scripts the answer to every later request for this target (the request line's second word:
    // a path, or "host:port" for CONNECT).
    void Answer(const std::string& target, HttpAnswer answer);

    // Runs on the server's thread for every later request, once its head has arrived and before it
    // is answered: a look at the process while the client waits for the answer.
    void WhileAnswering(std::function<void()> probe);

    int Port() const { return port; }
    // "http://127.0.0.1:PORT" followed by the path.
    std::string UrlOf(const std::string& path) const;
    // The request lines received so far, in order.
    std::vector<std::string> Requests() const;

private:
    void Serve();
    void ServeConnection(int client);
    HttpAnswer AnswerFor(const std::string& requestLine) const;
    bool WaitUntilReadable(int socket) const;

    int listener = -1;
    int stopPipe[2] = {-1, -1};
    int port = 0;
    mutable std::mutex mutex;
    std::map<std::string, HttpAnswer> answers;
    std::vector<std::string> requests;
    std::function<void()> whileAnswering;
    std::thread thread;
};

// A loopback port that refuses connections: a bound socket that never listens, held until destroyed.
class RefusingLoopbackPort {
public:
    RefusingLoopbackPort();
    ~RefusingLoopbackPort();
    RefusingLoopbackPort(const RefusingLoopbackPort&) = delete;
    RefusingLoopbackPort& operator=(const RefusingLoopbackPort&) = delete;

    int Port() const { return port; }

private:
    int socket = -1;
    int port = 0;
};

// A loopback port that never answers a connection attempt: it listens with the shortest queue and
// fills that queue itself with connections it never accepts, so the system drops every later
// attempt unanswered and a client waits until its connect time-out. Held until destroyed.
class UnansweredLoopbackPort {
public:
    // Throws std::runtime_error when the socket cannot be made or its queue does not fill.
    UnansweredLoopbackPort();
    ~UnansweredLoopbackPort();
    UnansweredLoopbackPort(const UnansweredLoopbackPort&) = delete;
    UnansweredLoopbackPort& operator=(const UnansweredLoopbackPort&) = delete;

    int Port() const { return port; }
    // "http://127.0.0.1:PORT" followed by the path.
    std::string UrlOf(const std::string& path) const;

private:
    void FillQueue();

    int listener = -1;
    std::vector<int> fillers;
    int port = 0;
};

#endif
