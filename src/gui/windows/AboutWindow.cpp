#include "windows/AboutWindow.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmhakkimizda"));
  setWindowTitle(QStringLiteral("Hakkımızda"));
  auto* text = new QPlainTextEdit(notice(), this);
  text->setObjectName(QStringLiteral("Text1"));
  text->setReadOnly(true);
  auto* close = new QPushButton(QStringLiteral("&Kapat"), this);
  close->setObjectName(QStringLiteral("Command1"));
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text, 1);
  layout->addLayout(buttons);
  resize(560, 420);
}

QString AboutWindow::notice() {
  return QStringLiteral(
      "Korvel'e hoş geldiniz.\n"
      "\n"
      "Korvel, optik okuyucunuzla okunan sınav cevap kağıtlarını, anketleri ve kayıt formlarını "
      "kağıt kağıt okur, işaretleri form dosyanıza göre çözer ve her kağıt için veri dosyanıza bir "
      "kayıt yazar.\n"
      "\n"
      "Garanti\n"
      "Okuyucunuz, teslim tarihinden başlayarak iki yıl boyunca malzeme ve işçilik hatalarına karşı "
      "garantimiz altındadır. Garanti; yanlış kullanım, uygun olmayan kağıt, düşürme, sıvı teması ve "
      "yetkisiz onarım sonucu oluşan arızaları kapsamaz. Okuma kafasının ve besleme silindirlerinin "
      "düzenli temizliği kullanıcıya aittir.\n"
      "\n"
      "Destek\n"
      "Programın yeni sürümleri ve form tasarımı desteği garanti süresince ücretsizdir. Arıza "
      "bildirimlerinizi iş günlerinde 09.00 - 18.00 arasında alıyor, okuyucuyu en geç beş iş günü "
      "içinde onarıyor ya da değiştiriyoruz. Bildiriminize okuyucunun seri numarasını, programın "
      "sürümünü ve mümkünse sorunlu kağıdın bir örneğini ekleyiniz.\n"
      "\n"
      "İletişim\n"
      "Korvel Optik Okuma Sistemleri\n"
      "Web: https://korvel.example\n"
      "E-posta: destek@korvel.example\n"
      "Telefon: +90 000 000 00 00\n");
}
