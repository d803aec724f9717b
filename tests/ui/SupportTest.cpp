// The small pieces under the windows: the shared file and colour dialogs, the wait cursor,
// the skin, program pictures from what the platform names, and where the program's files are
// found.

#include "platform/fake/FakeProgramIconLookup.h"
#include "ui/CommonDlgsW.h"
#include "ui/Hourglass.h"
#include "ui/ProgramFolder.h"
#include "ui/ProgramIcons.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace morvane;

namespace {

void Write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

class SupportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filtersBecomeQtNameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("default") << CommonDlgsW().Filter << QStringList{"All files (*.*) (*.*)"};
        QTest::newRow("two pairs") << "A|*.a|B|*.b" << QStringList{"A (*.a)", "B (*.b)"};
        QTest::newRow("task files")
            << "Morvane Task File(*.mtf)|*.mtf" << QStringList{"Morvane Task File(*.mtf) (*.mtf)"};
        QTest::newRow("several patterns")
            << "Pictures|*.png;*.jpg" << QStringList{"Pictures (*.png *.jpg)"};
        QTest::newRow("dangling description") << "A|*.a|B" << QStringList{"A (*.a)"};
    }
    void filtersBecomeQtNameFilters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(CommonDlgsW::NameFilters(filter), expected);
    }

    void confirmedFileFillsTheFieldsAndCancelKeepsThem() {
        CommonDlgsW dlg;
        CommonDlgsW::FileRequest seen;
        std::optional<CommonDlgsW::FileAnswer> answer =
            CommonDlgsW::FileAnswer{{QStringLiteral("/home/me/week.mtf")}};
        dlg.SetFileRunner([&](const CommonDlgsW::FileRequest& r) {
            seen = r;
            return answer;
        });
        dlg.Filter = QStringLiteral("A|*.a|B|*.b");
        dlg.FilterIndex = 2;
        dlg.DialogTitle = QStringLiteral("Pick");
        dlg.DefaultExt = QStringLiteral("mtf");
        dlg.InitDir = QStringLiteral("/home/me");
        QVERIFY(dlg.ShowSave(nullptr));
        QVERIFY(seen.save);
        QCOMPARE(seen.filterIndex, 1);
        QCOMPARE(seen.title, QStringLiteral("Pick"));
        QCOMPARE(seen.defaultExt, QStringLiteral("mtf"));
        QCOMPARE(seen.initDir, QStringLiteral("/home/me"));
        QVERIFY(!seen.overwritePrompt);
        QCOMPARE(dlg.FileName, QStringLiteral("/home/me/week.mtf"));
        QCOMPARE(dlg.FileTitle, QStringLiteral("week.mtf"));
        QCOMPARE(dlg.Title, QStringLiteral("week.mtf"));

        // The next dialog offers what the last one chose.
        answer.reset();
        QVERIFY(!dlg.ShowOpen(nullptr));
        QVERIFY(!seen.save);
        QCOMPARE(seen.fileName, QStringLiteral("/home/me/week.mtf"));
        QCOMPARE(dlg.FileName, QStringLiteral("/home/me/week.mtf"));
        QCOMPARE(dlg.FileTitle, QStringLiteral("week.mtf"));
    }

    void flagsShapeTheOutcome() {
        CommonDlgsW dlg;
        dlg.SetFileRunner([](const CommonDlgsW::FileRequest& r) {
            QStringList files{QStringLiteral("/data/a.txt")};
            if (r.multiSelect) {
                files << QStringLiteral("/data/b.txt");
            }
            return std::optional<CommonDlgsW::FileAnswer>(CommonDlgsW::FileAnswer{files});
        });
        dlg.Flags = CommonDlgsW::kNoValidate;
        QVERIFY(dlg.ShowOpen(nullptr));
        QCOMPARE(dlg.FileName, QStringLiteral("/data/a.txt"));
        QCOMPARE(dlg.FileTitle, QString());

        dlg.Flags = CommonDlgsW::kAllowMultiSelect;
        QVERIFY(dlg.ShowOpen(nullptr));
        QCOMPARE(dlg.FileName, QStringLiteral("/data") + QChar(u'\0') + QStringLiteral("a.txt") +
                                   QChar(u'\0') + QStringLiteral("b.txt"));

        dlg.Flags = 0;
        dlg.MaxFileSize = 5;
        QVERIFY2(!dlg.ShowOpen(nullptr), "a name longer than the buffer does not fit");
    }

    void overlongStartingNamesFailBeforeAnyDialog() {
        // Where the platform's dialogs have the classic 256-character buffers.
        CommonDlgsW dlg(CommonDlgsW::kBufferSize);
        int shown = 0;
        dlg.SetFileRunner([&](const CommonDlgsW::FileRequest&) {
            ++shown;
            return std::optional<CommonDlgsW::FileAnswer>({{QStringLiteral("/x")}});
        });
        dlg.FileName = QString(257, u'a');
        QVERIFY(!dlg.ShowOpen(nullptr));
        dlg.FileName.clear();
        dlg.InitDir = QString(257, u'a');
        QVERIFY(!dlg.ShowSave(nullptr));
        QCOMPARE(shown, 0);
    }

    void colours() {
        CommonDlgsW dlg;
        QCOMPARE(dlg.Color(), 12632256);
        dlg.SetColor(0x00112233);
        QCOMPARE(CommonDlgsW::FromColorRef(dlg.Color()), QColor(0x33, 0x22, 0x11));
        // The window background by its system-colour number, not the number itself.
        dlg.SetColor(static_cast<std::int32_t>(0x80000005U));
        QCOMPARE(dlg.Color(),
                 CommonDlgsW::ToColorRef(QApplication::palette().color(QPalette::Base)));

        int calls = 0;
        dlg.SetColorRunner([&](QWidget*, const QColor& initial,
                               std::array<QColor, 16>& custom) -> std::optional<QColor> {
            ++calls;
            if (calls == 1) {
                custom[3] = QColor(1, 2, 3);
                return QColor(10, 20, 30);
            }
            // Custom colours are kept between calls; cancelling keeps the colour.
            return custom[3] == QColor(1, 2, 3) && initial == QColor(10, 20, 30)
                       ? std::nullopt
                       : std::optional<QColor>(Qt::red);
        });
        QVERIFY(dlg.ShowColor(nullptr));
        QCOMPARE(dlg.Color(), 10 | (20 << 8) | (30 << 16));
        QVERIFY(!dlg.ShowColor(nullptr));
        QCOMPARE(dlg.Color(), 10 | (20 << 8) | (30 << 16));
    }

    void hourglassesNest() {
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        {
            Hourglass outer;
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            { Hourglass inner; }
            QVERIFY2(QGuiApplication::overrideCursor() != nullptr, "the outer wait goes on");
        }
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void theSkinIsAStyleSheetAndMissingMeansPlain() {
        auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        Skin::SkinH_AttachEx(QStringLiteral("/nonexistent/library.she"), QString());
        QVERIFY(!Skin::IsAttached());
        QCOMPARE(app->styleSheet(), QString());

        Skin::SkinH_AttachEx(QStringLiteral(MORVANE_SOURCE_DATA "/library.she"), QString());
        QVERIFY(Skin::IsAttached());
        QVERIFY(app->styleSheet().contains(QLatin1String("QToolButton")));
        Skin::SkinH_Detach();
        QVERIFY(!Skin::IsAttached());
        QCOMPARE(app->styleSheet(), QString());
    }

    void programPicturesAreWhatThePlatformNames() {
        QTemporaryDir dir;
        const QString iconFile = dir.filePath(QStringLiteral("tool.svg"));
        QFile::copy(QStringLiteral(":/icons/help.svg"), iconFile);
        platform::FakeProgramIconLookup lookup;
        lookup.icons["/opt/my tools/tool"] = iconFile.toStdString();
        lookup.icons["/opt/gone/tool"] = dir.filePath(QStringLiteral("gone.svg")).toStdString();
        lookup.icons["/usr/bin/themed"] = "no-such-theme-icon";

        ProgramIcons icons(&lookup);
        const QIcon tool = icons.IconFor(QStringLiteral("/opt/my tools/tool"));
        QVERIFY(!tool.isNull());
        QVERIFY(tool.cacheKey() != ProgramIcons::Generic().cacheKey());
        // A file that is not there, a name the theme lacks, nothing named: the generic picture.
        for (const char* path : {"/opt/gone/tool", "/usr/bin/themed", "/usr/bin/unknown-program"}) {
            QCOMPARE(icons.IconFor(QString::fromUtf8(path)).cacheKey(),
                     ProgramIcons::Generic().cacheKey());
        }
        // Each program is asked about once.
        QCOMPARE(icons.IconFor(QStringLiteral("/opt/my tools/tool")).cacheKey(), tool.cacheKey());
        QCOMPARE(lookup.asked.size(), std::size_t{4});
        QCOMPARE(lookup.asked.front().executablePath, std::string("/opt/my tools/tool"));
    }

    void programFilesBesideTheExecutableOrInstalled() {
        QTemporaryDir dir;
        const QString build = dir.filePath(QStringLiteral("build"));
        QDir().mkpath(build);
        Write(build + QStringLiteral("/en.ini"), "Add a Task\r\n");
        QCOMPARE(ProgramFolder::Locate(build), QDir(build).absolutePath());

        const QString bin = dir.filePath(QStringLiteral("usr/bin"));
        const QString share = dir.filePath(QStringLiteral("usr/share/morvane"));
        QDir().mkpath(bin);
        QDir().mkpath(share);
        QCOMPARE(ProgramFolder::Locate(bin), QDir(share).absolutePath());

        const QString bare = dir.filePath(QStringLiteral("bare/bin"));
        QDir().mkpath(bare);
        QCOMPARE(ProgramFolder::Locate(bare), QDir(bare).absolutePath());
    }
};

QTEST_MAIN(SupportTest)
#include "SupportTest.moc"
