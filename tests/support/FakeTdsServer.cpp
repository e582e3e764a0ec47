#include "support/FakeTdsServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <optional>

namespace testsupport {
namespace {

// TDS packet types and tokens used here.
constexpr char kSqlBatch = 0x01, kRpc = 0x03, kReply = 0x04, kAttention = 0x06, kLogin7 = 0x10,
               kPrelogin = 0x12;
constexpr char kColMetadata = char(0x81), kRow = char(0xD1), kDone = char(0xFD),
               kDoneProc = char(0xFE), kDoneInProc = char(0xFF), kLoginAck = char(0xAD),
               kError = char(0xAA), kReturnStatus = 0x79;

void AppendLE(QByteArray& out, quint64 value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.append(char((value >> (8 * i)) & 0xFF));
}

QByteArray Ucs2(const QString& text) {
  return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QByteArray BVarchar(const QString& text) {  // one-byte length in characters, then UCS-2
  return char(text.size()) + Ucs2(text);
}

QByteArray Done(char token, quint16 status, quint16 command, quint64 rows) {
  QByteArray out(1, token);
  AppendLE(out, status, 2);
  AppendLE(out, command, 2);
  AppendLE(out, rows, 8);
  return out;
}

bool ReadExactly(int socket, char* into, qsizetype size) {
  while (size > 0) {
    const ssize_t got = ::recv(socket, into, size_t(size), 0);
    if (got <= 0) return false;
    into += got;
    size -= got;
  }
  return true;
}

struct Message {
  char type;
  QByteArray payload;
};

// One whole message: its packets up to the one marked end-of-message.
std::optional<Message> ReadMessage(int socket) {
  Message message{0, {}};
  for (;;) {
    char header[8];
    if (!ReadExactly(socket, header, 8)) return std::nullopt;
    const int length = (quint8(header[2]) << 8) | quint8(header[3]);
    QByteArray payload(length - 8, Qt::Uninitialized);
    if (!ReadExactly(socket, payload.data(), payload.size())) return std::nullopt;
    message.type = header[0];
    message.payload += payload;
    if (header[1] & 0x01) return message;
  }
}

void Send(int socket, const QByteArray& payload) {
  QByteArray packet;
  packet.append(kReply).append(char(0x01));  // reply, end of message
  const int length = int(payload.size()) + 8;
  packet.append(char(length >> 8)).append(char(length & 0xFF));
  packet.append(char(0)).append(char(0x33));  // session id 51
  packet.append(char(1)).append(char(0));
  packet += payload;
  ::send(socket, packet.constData(), size_t(packet.size()), MSG_NOSIGNAL);
}

QByteArray PreloginReply() {
  QByteArray out;
  out.append(char(0x00)).append(char(0)).append(char(11)).append(char(0)).append(char(6));
  out.append(char(0x01)).append(char(0)).append(char(17)).append(char(0)).append(char(1));
  out.append(char(0xFF));
  out.append("\x0F\x00\x07\xD0\x00\x00", 6);  // version 15.0.2000
  out.append(char(0x02));                     // encryption not supported
  return out;
}

QByteArray LoginReply() {
  QByteArray ack;
  ack.append(char(0x01));             // interface: T-SQL
  ack.append("\x74\x00\x00\x04", 4);  // TDS 7.4
  ack += BVarchar(QStringLiteral("Microsoft SQL Server"));
  ack.append("\x0F\x00\x07\xD0", 4);
  QByteArray out(1, kLoginAck);
  AppendLE(out, quint64(ack.size()), 2);
  return out + ack + Done(kDone, 0, 0, 0);
}

QByteArray RowReply(int session, char done, bool more) {
  QByteArray out(1, kColMetadata);
  AppendLE(out, 1, 2);     // one column
  AppendLE(out, 0, 4);     // user type
  AppendLE(out, 0, 2);     // flags
  out.append(char(0x38));  // INT4
  out += BVarchar(QStringLiteral("Session"));
  out.append(kRow);
  AppendLE(out, quint64(session), 4);
  // Inside a procedure call more follows: DONE_MORE on all but the call's last token.
  return out + Done(done, done == kDoneInProc || more ? 0x0011 : 0x0010, 0x00C1, 1);
}

QByteArray ErrorReply(const QString& text, char done) {
  QByteArray body;
  AppendLE(body, 50000, 4);
  body.append(char(1)).append(char(16));  // state, class
  AppendLE(body, quint64(text.size()), 2);
  body += Ucs2(text);
  body += BVarchar(QStringLiteral("fake")) + BVarchar(QString());
  AppendLE(body, 1, 4);
  QByteArray out(1, kError);
  AppendLE(out, quint64(body.size()), 2);
  return out + body + Done(done, done == kDoneInProc ? 0x0003 : 0x0002, 0, 0);
}

// The text of a SQL batch: UTF-16 after its ALL_HEADERS block.
QString BatchText(const QByteArray& payload) {
  if (payload.size() < 4) return QString();
  const quint32 headers = quint8(payload[0]) | (quint8(payload[1]) << 8) |
                          (quint8(payload[2]) << 16) | (quint32(quint8(payload[3])) << 24);
  const QByteArray text = payload.mid(headers);
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.constData()), text.size() / 2);
}

// The application name of a LOGIN7 message: its offset and length in characters at byte 48.
QString LoginApplication(const QByteArray& payload) {
  if (payload.size() < 52) return QString();
  const int offset = quint8(payload[48]) | (quint8(payload[49]) << 8);
  const int length = quint8(payload[50]) | (quint8(payload[51]) << 8);
  const QByteArray text = payload.mid(offset, length * 2);
  const QString name =
      QString::fromUtf16(reinterpret_cast<const char16_t*>(text.constData()), text.size() / 2);
  return name.left(name.indexOf(QChar(0)));  // FreeTDS counts a terminating null
}

// The statement of a procedure call (the driver sends statements through sp_prepexec and
// sp_cursoropen): the longest run of printable UTF-16 text among its parameters.
QString RpcStatement(const QByteArray& payload) {
  QString longest;
  for (int offset : {0, 1}) {
    const QByteArray bytes = payload.mid(offset);
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    QString run;
    for (const QChar ch : text + QChar(0)) {
      if (ch.unicode() >= 0x20 && ch.unicode() < 0x7F) {
        run += ch;
        continue;
      }
      if (run.size() > longest.size()) longest = run;
      run.clear();
    }
  }
  return longest;
}

}  // namespace

FakeTdsServer::FakeTdsServer(Mode mode, quint16 port) : mode_(mode) {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  const int reuse = 1;  // a server back on the port of one just gone
  ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listener_, 4);
  socklen_t size = sizeof address;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

FakeTdsServer::~FakeTdsServer() {
  stopping_ = true;
  ::shutdown(listener_, SHUT_RDWR);
  DropClient();
  thread_.join();
  ::close(listener_);
}

void FakeTdsServer::DropClient() {
  const int client = client_.load();
  if (client >= 0) ::shutdown(client, SHUT_RDWR);
}

QStringList FakeTdsServer::batches() const {
  std::lock_guard lock(mutex_);
  return batches_;
}

QString FakeTdsServer::application() const {
  std::lock_guard lock(mutex_);
  return application_;
}

void FakeTdsServer::serve() {
  while (!stopping_) {
    const int client = ::accept(listener_, nullptr, nullptr);
    if (client < 0) return;
    client_ = client;
    serveClient(client);
    client_ = -1;
    ::close(client);
  }
}

void FakeTdsServer::serveClient(int client) {
  int session = 0;
  while (auto message = ReadMessage(client)) {
    if (mode_ == Mode::Silent) continue;
    if (message->type == kPrelogin) {
      Send(client, PreloginReply());
    } else if (message->type == kLogin7) {
      session = ++sessions_;
      {
        std::lock_guard lock(mutex_);
        application_ = LoginApplication(message->payload);
      }
      Send(client, LoginReply());
    } else if (message->type == kSqlBatch || message->type == kRpc) {
      const bool call = message->type == kRpc;
      const QString text =
          (call ? RpcStatement(message->payload) : BatchText(message->payload)).trimmed();
      {
        std::lock_guard lock(mutex_);
        batches_ << QStringLiteral("%1: %2%3")
                        .arg(session)
                        .arg(call ? QStringLiteral("RPC ") : QString(), text);
      }
      if (mode_ == Mode::Hanging && !text.startsWith(QLatin1String("SET"), Qt::CaseInsensitive))
        continue;
      const char done = call ? kDoneInProc : kDone;
      const bool refused = text.contains(QLatin1String("raiserror"), Qt::CaseInsensitive);
      QByteArray reply;
      if (text.startsWith(QLatin1String("select"), Qt::CaseInsensitive))
        reply = RowReply(session, done, refused);
      if (refused)
        reply += ErrorReply(QStringLiteral("The fake server refuses this statement."), done);
      else if (reply.isEmpty() && !call)
        reply = Done(kDone, 0, 0, 0);
      if (call) {
        reply.append(kReturnStatus);
        AppendLE(reply, 0, 4);
        reply += Done(kDoneProc, 0, 0, 0);
      }
      Send(client, reply);
    } else if (message->type == kAttention) {
      Send(client, Done(kDone, 0x0020, 0, 0));
    }
  }
}

quint16 ClosedPort() {
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t size = sizeof address;
  ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  ::close(probe);  // bound, never listened on: nothing answers there
  return ntohs(address.sin_port);
}

}  // namespace testsupport
