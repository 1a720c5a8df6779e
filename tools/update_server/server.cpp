// A small HTTP server on 127.0.0.1 for the update world: serves descriptors and packages from a
// folder and misbehaves on request, chosen by the first part of the path:
//   /404/...  /500/...   answer with that status
//   /drop/...            announce the whole file, send half of it and close
//   /nolength/...        send the file without Content-Length
//   /slow/...            send the file in 16 KiB pieces, 40 ms apart
//   /stall/...           accept the request and never answer
//   /stallbody/...       send the head and half of the file, then nothing more
//   /huge/...            an endless body without Content-Length
//   /trickle/...         announce the whole file, then send it one byte a second
// Usage: qm_update_server --root DIR [--port N] [--port-file FILE]
#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
std::string g_root;

bool SendAll(int client, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t sent = send(client, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

bool SendText(int client, const std::string& text) {
    return SendAll(client, text.data(), text.size());
}

// Waits until the client closes its end (or a minute passes).
void WaitForClose(int client) {
    char byte;
    pollfd wait{client, POLLIN, 0};
    while (poll(&wait, 1, 60000) > 0 && recv(client, &byte, 1, 0) > 0) {
    }
}

std::string Head(int status, const char* reason, long long length) {
    std::ostringstream head;
    head << "HTTP/1.1 " << status << ' ' << reason << "\r\nContent-Type: application/octet-stream"
         << "\r\nConnection: close\r\n";
    if (length >= 0)
        head << "Content-Length: " << length << "\r\n";
    head << "\r\n";
    return head.str();
}

bool ReadFile(const std::string& path, std::string& content) {
    if (path.find("..") != std::string::npos)
        return false;
    std::ifstream file(g_root + "/" + path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    content = bytes.str();
    return true;
}

void Answer(int client, std::string path) {
    std::string mode;
    const size_t slash = path.find('/');
    static const char* const MODES[] = {"404",   "500",       "drop", "nolength", "slow",
                                        "stall", "stallbody", "huge", "trickle"};
    for (const char* known : MODES) {
        if (slash != std::string::npos && path.compare(0, slash, known) == 0) {
            mode = known;
            path.erase(0, slash + 1);
        }
    }
    if (mode == "stall")
        return WaitForClose(client);
    if (mode == "huge") {
        SendText(client, Head(200, "OK", -1));
        const std::string block(65536, 'x');
        while (SendAll(client, block.data(), block.size())) {
        }
        return;
    }
    std::string body;
    if (mode == "404" || mode == "500" || !ReadFile(path, body)) {
        const bool server = mode == "500";
        const std::string page = "<html><body>Not here</body></html>";
        SendText(client, Head(server ? 500 : 404, server ? "Server Error" : "Not Found",
                              static_cast<long long>(page.size())) +
                             page);
        return;
    }
    const bool announce = mode != "nolength";
    if (!SendText(client, Head(200, "OK", announce ? static_cast<long long>(body.size()) : -1)))
        return;
    if (mode == "drop" || mode == "stallbody") {
        SendAll(client, body.data(), body.size() / 2);
        if (mode == "stallbody")
            WaitForClose(client);
        return;
    }
    const size_t piece = mode == "slow" ? 16384 : mode == "trickle" ? 1 : body.size();
    for (size_t at = 0; at < body.size(); at += piece) {
        if (!SendAll(client, body.data() + at, std::min(piece, body.size() - at)))
            return;
        if (mode == "slow")
            usleep(40000);
        else if (mode == "trickle")
            sleep(1);
    }
}

void Serve(int client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<size_t>(got));
    }
    std::istringstream line(request);
    std::string method, target;
    line >> method >> target;
    if (method == "GET" && !target.empty() && target[0] == '/') {
        const size_t query = target.find('?');
        Answer(client,
               target.substr(1, query == std::string::npos ? std::string::npos : query - 1));
    }
    shutdown(client, SHUT_WR);
    close(client);
}
} // namespace

int main(int argc, char** argv) {
    int port = 0;
    std::string portFile;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--root")
            g_root = argv[i + 1];
        else if (option == "--port")
            port = std::atoi(argv[i + 1]);
        else if (option == "--port-file")
            portFile = argv[i + 1];
    }
    if (g_root.empty()) {
        std::fprintf(stderr, "usage: qm_update_server --root DIR [--port N] [--port-file FILE]\n");
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 64) != 0) {
        std::perror("qm_update_server");
        return 1;
    }
    socklen_t size = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    const int bound = ntohs(address.sin_port);
    if (!portFile.empty()) {
        const std::string temporary = portFile + ".new";
        std::ofstream(temporary) << bound << "\n";
        std::rename(temporary.c_str(), portFile.c_str());
    }
    std::printf("serving %s on http://127.0.0.1:%d/\n", g_root.c_str(), bound);
    std::fflush(stdout);
    for (;;) {
        const int client = accept(listener, nullptr, nullptr);
        if (client >= 0)
            std::thread(Serve, client).detach();
    }
}
