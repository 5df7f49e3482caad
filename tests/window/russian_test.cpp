// The window under a Russian locale: its own texts and Qt's in Russian, the language chosen in its menu
// remembered for the next start, and the results file the same bytes as in English.

#include <QAction>
#include <QFile>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

#include "window/language.h"
#include "window/warnings_panel.h"
#include "window_fixture.h"

using vsl::testing::FormHarness;
using vsl::testing::SaveFolder;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class RussianTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void TheWindowSpeaksRussianAndWritesTheSameResults() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(vsl::InterfaceLanguage(""), QString("ru"));
    QVERIFY(vsl::InstallTranslations(vsl::InterfaceLanguage("")));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("Отмена"));

    SaveFolder saves;
    const QStringList paths =
        saves.WriteThreePlayers(600) + QStringList{saves.WriteBytes("bad.Save", std::string(64, '\x01'))};
    const QString russianResults = saves.Path() + "/ru.txt";
    {
      FormHarness h;
      h.damagedAnswer = vsl::DamagedChoice::Skip;
      h.Load(paths);
      QCOMPARE(h.Form().menuBar()->actions().first()->text(), QString::fromUtf8("&Файл"));
      QCOMPARE(h.Find<QPushButton>("Button1")->toolTip(),
               QString::fromUtf8("Загрузить набор сохранений (Ctrl+O)"));
      const QString warnings = h.Find<vsl::WarningsPanel>("WarningsPanel")->Texts().join('\n');
      QVERIFY2(warnings.startsWith(QString::fromUtf8("1 файл пропущен как повреждённый: bad.Save. Попросите "
                                                     "новую копию и загрузите её снова.")),
               qPrintable(warnings));
      const QString audit =
          h.Find<QTableView>("ReloadGrid")->model()->index(1, 11).data(Qt::ToolTipRole).toString();
      QVERIFY2(audit.startsWith(QString::fromUtf8("Перезагрузки: ")), qPrintable(audit));
      QString caption;
      h.Form().Dialogs().SaveAs = [&caption](QWidget*, const QString& c, const QString&, const QString&) {
        caption = c;
        return QString();
      };
      h.Find<QAction>("ExportCsvAction")->trigger();
      QCOMPARE(caption, QString::fromUtf8("Экспорт в CSV"));
      h.Save(russianResults);
      h.Find<QAction>("GuideAction")->trigger();
      QCOMPARE(h.Form().findChild<QTextBrowser*>()->source().path(), QString("/guide.ru.md"));
      // English from the next start on.
      h.Find<QAction>("Language_en")->trigger();
      QCOMPARE(h.Form().statusBar()->currentMessage(),
               QString::fromUtf8("Язык сменится при следующем запуске."));
      QCOMPARE(vsl::InterfaceLanguage(vsl::ChosenLanguage()), QString("en"));
    }

    QVERIFY(vsl::InstallTranslations("en"));
    FormHarness english;
    english.damagedAnswer = vsl::DamagedChoice::Skip;
    english.Load(paths);
    QCOMPARE(english.Form().menuBar()->actions().first()->text(), QString("&File"));
    english.Save(saves.Path() + "/en.txt");
    const QByteArray results = ReadAll(russianResults);
    QVERIFY(results.size() > 1000);
    QCOMPARE(results, ReadAll(saves.Path() + "/en.txt"));
  }
};

QTEST_MAIN(RussianTest)
#include "russian_test.moc"
