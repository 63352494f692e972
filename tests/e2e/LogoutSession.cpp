// A session manager of the X session protocol (XSMP) just big enough for a
// test: starts one program as its client, asks it to save its state once as
// a checkpoint (the session goes on), and on SIGUSR1 logs out: asks it to
// save as for a shutdown, then tells it to die. Ends with the program's exit
// status, or 125 when something went wrong.
//
// Usage: logout-session PROGRAM [ARGUMENTS...]
// Prints "registered", "checkpoint saved", "shutdown saved" and "die sent"
// as it goes, one a line.

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 125;

volatile sig_atomic_t gLogOut = 0;
SmsConn gClient = nullptr;
IceConn gConnection = nullptr;
int gSaves = 0;  // SaveYourselfDone messages received
bool gShutdownAsked = false;

void Say(const char* what) {
  std::printf("%s\n", what);
  std::fflush(stdout);
}

Status RegisterClient(SmsConn connection, SmPointer, char*) {
  char* id = SmsGenerateClientID(connection);
  SmsRegisterClientReply(connection, id);
  std::free(id);
  Say("registered");
  // A new client's first save: a checkpoint, the session goes on.
  SmsSaveYourself(connection, SmSaveLocal, False, SmInteractStyleNone, False);
  return 1;
}

void SaveYourselfDone(SmsConn connection, SmPointer, Bool) {
  ++gSaves;
  if (!gShutdownAsked) {
    Say("checkpoint saved");
    return;
  }
  Say("shutdown saved");
  SmsDie(connection);
  Say("die sent");
}

void InteractRequest(SmsConn connection, SmPointer, int) { SmsInteract(connection); }
void InteractDone(SmsConn, SmPointer, Bool) {}
void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void SaveYourselfPhase2Request(SmsConn connection, SmPointer) { SmsSaveYourselfPhase2(connection); }
void CloseConnection(SmsConn connection, SmPointer, int count, char** reasons) {
  SmFreeReasons(count, reasons);
  SmsCleanUp(connection);
  gClient = nullptr;
}
void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
  for (int i = 0; i < count; ++i) SmFreeProperty(properties[i]);
  std::free(properties);
}
void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
  for (int i = 0; i < count; ++i) std::free(names[i]);
  std::free(names);
}
void GetProperties(SmsConn connection, SmPointer) { SmsReturnProperties(connection, 0, nullptr); }

Status NewClient(SmsConn connection, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
  gClient = connection;
  *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
          SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask |
          SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask |
          SmsGetPropertiesProcMask;
  callbacks->register_client.callback = RegisterClient;
  callbacks->interact_request.callback = InteractRequest;
  callbacks->interact_done.callback = InteractDone;
  callbacks->save_yourself_request.callback = SaveYourselfRequest;
  callbacks->save_yourself_phase2_request.callback = SaveYourselfPhase2Request;
  callbacks->save_yourself_done.callback = SaveYourselfDone;
  callbacks->close_connection.callback = CloseConnection;
  callbacks->set_properties.callback = SetProperties;
  callbacks->delete_properties.callback = DeleteProperties;
  callbacks->get_properties.callback = GetProperties;
  return 1;
}

// The test's own session: any local client may connect.
Bool AnyHost(char*) { return True; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  // A client that goes away is no reason to end (ICE's own handler exits).
  IceSetIOErrorHandler([](IceConn) {});
  char error[256] = "";
  if (!SmsInitialize("tolva-test", "1.0", NewClient, nullptr, AnyHost, static_cast<int>(sizeof error), error)) {
    std::fprintf(stderr, "logout-session: %s\n", error);
    return kFailed;
  }
  int listenCount = 0;
  IceListenObj* listeners = nullptr;
  if (!IceListenForConnections(&listenCount, &listeners, static_cast<int>(sizeof error), error) || listenCount == 0) {
    std::fprintf(stderr, "logout-session: %s\n", error);
    return kFailed;
  }
  for (int i = 0; i < listenCount; ++i) IceSetHostBasedAuthProc(listeners[i], AnyHost);
  char* networkIds = IceComposeNetworkIdList(listenCount, listeners);
  setenv("SESSION_MANAGER", networkIds, 1);
  std::free(networkIds);

  struct sigaction action {};
  action.sa_handler = [](int) { gLogOut = 1; };
  sigaction(SIGUSR1, &action, nullptr);

  const pid_t child = fork();
  if (child == 0) {
    for (int i = 0; i < listenCount; ++i) close(IceGetListenConnectionNumber(listeners[i]));
    execvp(argv[1], argv + 1);
    std::perror("logout-session: exec");
    _exit(127);
  }

  for (;;) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      if (gClient && !gShutdownAsked) Say("the program ended before the logout");
      if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
      return WEXITSTATUS(status);
    }
    if (gLogOut && gClient && gSaves > 0 && !gShutdownAsked) {
      gShutdownAsked = true;
      SmsSaveYourself(gClient, SmSaveBoth, True, SmInteractStyleAny, False);
    }

    std::vector<pollfd> watched;
    for (int i = 0; i < listenCount; ++i) watched.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
    if (gConnection) watched.push_back({IceConnectionNumber(gConnection), POLLIN, 0});
    if (poll(watched.data(), watched.size(), 20) <= 0) continue;

    for (int i = 0; i < listenCount; ++i) {
      if (!(watched[static_cast<std::size_t>(i)].revents & POLLIN) || gConnection) continue;
      IceAcceptStatus accepted;
      IceConn connection = IceAcceptConnection(listeners[i], &accepted);
      if (!connection || accepted != IceAcceptSuccess) continue;
      IceConnectStatus state;
      while ((state = IceConnectionStatus(connection)) == IceConnectPending)
        IceProcessMessages(connection, nullptr, nullptr);
      if (state == IceConnectAccepted) gConnection = connection;
      else IceCloseConnection(connection);
    }
    if (gConnection && (watched.back().revents & (POLLIN | POLLHUP)) &&
        watched.back().fd == IceConnectionNumber(gConnection)) {
      if (IceProcessMessages(gConnection, nullptr, nullptr) == IceProcessMessagesIOError) {
        IceCloseConnection(gConnection);
        gConnection = nullptr;
        gClient = nullptr;
      }
    }
  }
}
