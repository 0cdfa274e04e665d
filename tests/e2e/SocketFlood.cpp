// Opens many idle connections to a local socket and holds them until it is ended: what a faulty
// or hostile program does to the command socket.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: e2e_socket_flood SOCKET COUNT\n", stderr);
        return 2;
    }
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, argv[1], sizeof address.sun_path - 1);
    const int count = std::atoi(argv[2]);
    int connected = 0;
    for (int n = 0; n < count; ++n) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            std::printf("%s after ", std::strerror(errno));
            break;
        }
        ++connected;
    }
    std::printf("connected %d\n", connected);
    std::fflush(stdout);
    for (;;)
        ::pause();
}
