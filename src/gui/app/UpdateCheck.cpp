#include "app/UpdateCheck.h"

#include "app/UpdateNotice.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTextDocumentFragment>

namespace {

// A page that moved may move again, but not forever.
constexpr int kMaxRedirects = 5;

QByteArray charsetOf(const QByteArray& contentType) {
  for (const QByteArray& part : contentType.split(';')) {
    const QByteArray item = part.trimmed();
    if (item.toLower().startsWith("charset=")) {
      QByteArray name = item.mid(8).trimmed();
      if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"')) name = name.mid(1, name.size() - 2);
      return name;
    }
  }
  return {};
}

// The text a browser would show of the body: the visible text of an HTML
// page, the decoded body of anything else.
QString visibleText(const QByteArray& body, const QByteArray& contentType) {
  const QByteArray mediaType = contentType.split(';').constFirst().trimmed().toLower();
  // Servers often send a page with a vague type; a body that opens with a
  // tag is taken for HTML unless it is declared plain text.
  QByteArrayView opening(body);
  if (opening.startsWith("\xEF\xBB\xBF")) opening = opening.sliced(3);
  const bool html = mediaType == "text/html" || mediaType == "application/xhtml+xml" ||
                    (mediaType != "text/plain" && opening.trimmed().startsWith('<'));

  QStringDecoder decoder;
  const QByteArray charset = charsetOf(contentType);
  if (!charset.isEmpty()) decoder = QStringDecoder(charset.constData());
  if (!decoder.isValid() && html) decoder = QStringDecoder::decoderForHtml(body);
  if (!decoder.isValid()) {
    const auto fromBom = QStringConverter::encodingForData(body);
    decoder = QStringDecoder(fromBom.value_or(QStringConverter::Utf8));
  }
  const QString text = decoder.decode(body);
  return html ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}

}  // namespace

UpdateCheck::UpdateCheck(QObject* parent) : QObject(parent) {
  m_network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
  m_deadline.setSingleShot(true);
  connect(&m_deadline, &QTimer::timeout, this, &UpdateCheck::abandon);
}

UpdateCheck::~UpdateCheck() {
  if (m_reply) {
    m_reply->disconnect(this);
    m_reply->abort();
  }
}

void UpdateCheck::check(const QUrl& page) {
  if (m_reply || page.isEmpty()) return;
  QNetworkRequest request(page);
  request.setMaximumRedirectsAllowed(kMaxRedirects);
  request.setTransferTimeout(static_cast<int>(m_timeout.count()));
  // A page served from a cache would hide a newer build.
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  m_body.clear();
  m_abandoned = false;
  m_reply = m_network.get(request);
  // Qt stops reading from the socket once this much waits unread, so a
  // huge page never piles up in memory before it is refused.
  m_reply->setReadBufferSize(m_maxBodyBytes + 1);
  connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
    if (!m_reply) return;
    // A declared length over the cap is abandoned before any byte arrives.
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_maxBodyBytes) abandon();
  });
  connect(m_reply, &QIODevice::readyRead, this, &UpdateCheck::takeData);
  connect(m_reply, &QNetworkReply::finished, this, &UpdateCheck::finish);
  // The transfer timeout only watches for silence; a server that trickles
  // bytes is stopped by this overall deadline.
  m_deadline.start(m_timeout);
}

void UpdateCheck::takeData() {
  if (!m_reply || m_abandoned) return;
  // One byte past the cap is enough to know the page is too large.
  const qint64 room = m_maxBodyBytes + 1 - m_body.size();
  if (room > 0) m_body += m_reply->read(room);
  if (m_body.size() > m_maxBodyBytes) abandon();
}

void UpdateCheck::abandon() {
  if (!m_reply || m_abandoned) return;
  m_abandoned = true;
  m_reply->abort();  // finishes the reply, which ends the check
}

void UpdateCheck::finish() {
  QNetworkReply* reply = m_reply;
  if (!reply) return;
  m_deadline.stop();
  m_reply = nullptr;
  reply->disconnect(this);
  reply->deleteLater();

  std::optional<QString> notice;
  if (!m_abandoned && reply->error() == QNetworkReply::NoError) {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool success = !status.isValid() || (status.toInt() >= 200 && status.toInt() < 300);
    if (success) {
      m_body += reply->read(m_maxBodyBytes + 1 - m_body.size());
      if (m_body.size() <= m_maxBodyBytes)
        notice = updateNoticeFromPageText(
            visibleText(m_body, reply->header(QNetworkRequest::ContentTypeHeader).toByteArray()));
    }
  }
  m_body.clear();
  if (notice) emit noticeFound(*notice);
  emit checkEnded();
}
