// Hostile: leaves a detached process behind that, 3 s later, creates a file
// in the teacher's folder, and sends a secret to a listener on 127.0.0.1
// at port @PORT@. The circuit itself is correct.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "korvax.h"

void simnet() {
    const int port = @PORT@;
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (s >= 0 && connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) (void)!write(s, "secret\n", 7);
    if (s >= 0) close(s);
    if (fork() == 0) {
        setsid();
        if (fork() == 0) {
            sleep(3);
            if (FILE* f = std::fopen("@TEACHER@/late", "w")) std::fclose(f);
        }
        _exit(0);
    }
    Signal in(3, "in"), n(3, "n"), out(1, "out");
    Switch(SD("aa-ca"), in, 'a', Zero, "in");
    Nand(SD("ab"), (in[2], in[1]), n[2]);
    Nand(SD("bb"), (in[2], in[0]), n[1]);
    Nand(SD("cb"), (in[1], in[0]), n[0]);
    Nand(SD("bc"), n, out);
}
