// Runs the built kestal-convert as a lab would, through its arguments,
// standard input and environment, and checks what comes out.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <optional>

namespace {

const QByteArray kHeader = "HV\tHB\tHRA\tHRB\tHRC\tHRD\tRm\n";

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Outcome Convert(const QStringList& arguments, const QByteArray& input = {},
                const std::optional<QProcessEnvironment>& environment = std::nullopt) {
    QProcess process;
    if (environment) {
        process.setProcessEnvironment(*environment);
    }
    process.start(QStringLiteral(KESTAL_CONVERT_PATH), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QProcessEnvironment EnvironmentWith(const QString& name, const QString& value) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        environment.remove(QString::fromLatin1(variable));
    }
    if (!name.isEmpty()) {
        environment.insert(name, value);
    }
    return environment;
}

struct RowCase {
    QStringList arguments;
    QByteArray row;
    int exitCode;
};

TEST(KestalConvert, OneValueGivesTheWindowsFigures) {
    const QList<RowCase> cases = {
        {{"--locale", "fr_FR", "--from", "HV", "200"}, "200\t190,0\t\t91,8\t\t\t650,0", 0},
        {{"--locale", "fr_FR", "--from", "hv", "80"}, "80\t76,0\t\t\t\t\t280,0", 0},
        {{"--locale", "fr_FR", "--from", "HRC", "20,3"},
         "240,0\t228,0\t60,7\t\t20,3\t40,3\t770,0",
         0},
        {{"--locale", "fr_FR", "--from", "Rm", "2220"}, "650,0\t\t80,0\t\t57,8\t69,0\t2220", 0},
        {{"--locale", "fr_FR", "--from", "HBW", "586"},
         "640,0\t586\t79,8\t\t57,3\t68,7\t2180,0",
         0},
        {{"--locale", "fr_FR", "--from", "hbs", "586"},
         "640,0\t586\t79,8\t\t57,3\t68,7\t2180,0",
         0},
        {{"--locale", "fr_FR", "--from", "HV", "650"}, "650\t\t80,0\t\t57,8\t69,0\t2220,0", 0},
        {{"--locale", "fr_FR", "--from", "HV", "940,1"}, "940,1\t\t\t\t\t\t", 0},
        {{"--locale", "fr_FR", "--from", "HV", "--", "-5"}, "-5\t\t\t\t\t\t", 0},
        {{"--locale", "fr_FR", "--from", "HV", "200.0"}, "200.0\t\t\t\t\t\t", 1},
        {{"--locale", "C", "--from", "HV", "645"}, "645\t\t79.9\t\t57.6\t68.9\t2200.0", 0},
        {{"--locale", "en_US", "--from", "HV", "645"}, "645\t\t79.9\t\t57.6\t68.9\t2200.0", 0},
        {{"--locale", "C", "--from", "HV", "200.0"}, "200.0\t190.0\t\t91.8\t\t\t650.0", 0},
        {{"--locale", "C", "--from", "HV", "200,0"}, "200,0\t\t\t\t\t\t", 1},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome run = Convert(c.arguments);
        EXPECT_EQ(run.out, kHeader + c.row + '\n');
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(
            run.err.contains("ligne 1 : La valeur rentrée n'est pas considérée comme un nombre"),
            c.exitCode == 1);
    }
}

TEST(KestalConvert, SeveralValuesKeepTheirRowsAndNameTheBadLines) {
    const QByteArray input = "200\r\n\nabc\n \n80";
    const QByteArray expected = kHeader +
                                "200\t190,0\t\t91,8\t\t\t650,0\n"
                                "\t\t\t\t\t\t\n"
                                "abc\t\t\t\t\t\t\n"
                                " \t\t\t\t\t\t\n"
                                "80\t76,0\t\t\t\t\t280,0\n";
    const Outcome fromStdin = Convert({"--from", "HV", "--locale", "fr_FR"}, input);
    const Outcome fromArguments =
        Convert({"--from", "HV", "--locale", "fr_FR", "200", "", "abc", " ", "80"});
    for (const Outcome& run : {fromStdin, fromArguments}) {
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err,
                  "kestal-convert: ligne 3 : La valeur rentrée n'est pas considérée "
                  "comme un nombre\n"
                  "kestal-convert: ligne 4 : La valeur rentrée n'est pas considérée "
                  "comme un nombre\n");
    }
    const Outcome empty = Convert({"--from", "HV"}, "");
    EXPECT_EQ(empty.out, kHeader);
    EXPECT_EQ(empty.exitCode, 0);
}

TEST(KestalConvert, ExitStatusTellsUsageErrorsApart) {
    const QList<QPair<QStringList, int>> cases = {
        {{"--from", "HRB", "--locale", "fr_FR", "91,8"}, 0},
        {{"--from", "HV", "--locale", "fr_FR", "200", "x"}, 1},
        {{"200"}, 2},
        {{"--from", "XYZ", "200"}, 2},
        {{"--from"}, 2},
        {{"--from", "HV", "--frm", "200"}, 2},
        {{"--from", "HV", "--locale", "xx_nonsense", "200"}, 2},
        {{"--from", "HV", "--locale", "", "200"}, 2},
    };
    for (const auto& [arguments, exitCode] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const Outcome run = Convert(arguments);
        EXPECT_EQ(run.exitCode, exitCode);
        if (exitCode == 2) {
            EXPECT_TRUE(run.out.isEmpty());
            EXPECT_TRUE(run.err.startsWith("kestal-convert: "));
            EXPECT_TRUE(run.err.contains("--from <"));  // the usage text follows
        }
    }
    const Outcome help = Convert({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--from"));
    EXPECT_TRUE(help.out.contains("--locale"));
    const Outcome version = Convert({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "kestal-convert 1.00\n");
}

TEST(KestalConvert, DefaultLocaleFollowsTheEnvironment) {
    const QList<QPair<QProcessEnvironment, QByteArray>> cases = {
        {EnvironmentWith({}, {}), "200,0\t190,0\t\t91,8\t\t\t650,0\n"},
        {EnvironmentWith("LANG", "C"), "200,0\t190,0\t\t91,8\t\t\t650,0\n"},
        {EnvironmentWith("LC_ALL", "en_US.UTF-8"), "200,0\t\t\t\t\t\t\n"},
        {EnvironmentWith("LC_NUMERIC", "en_US.UTF-8"), "200,0\t\t\t\t\t\t\n"},
    };
    for (const auto& [environment, row] : cases) {
        const Outcome run = Convert({"--from", "HV", "200,0"}, {}, environment);
        EXPECT_EQ(run.out, kHeader + row);
    }
    const Outcome english =
        Convert({"--from", "HV", "200.0"}, {}, EnvironmentWith("LC_ALL", "en_US.UTF-8"));
    EXPECT_EQ(english.out, kHeader + "200.0\t190.0\t\t91.8\t\t\t650.0\n");
    EXPECT_EQ(english.exitCode, 0);
    const Outcome overridden = Convert({"--from", "HV", "--locale", "fr_FR", "200,0"}, {},
                                       EnvironmentWith("LC_ALL", "en_US.UTF-8"));
    EXPECT_EQ(overridden.out, kHeader + "200,0\t190,0\t\t91,8\t\t\t650,0\n");
}

TEST(KestalConvert, HostileLinesStayOnTheirOwnRowOfSevenFields) {
    const QByteArray longLine = QByteArray("1234567890abcdefghij").repeated(50000);
    struct HostileCase {
        QByteArray line;
        QByteArray echoed;
    };
    const QList<HostileCase> cases = {
        {longLine, longLine},
        {QByteArray("20\xff\xfe", 4), QByteArray("20\xff\xfe", 4)},
        {QByteArray("2\0000", 3), "2?0"},
        {"2\t00", "2?00"},
        {"2\x01\x7f"
         "0\r0",
         "2??0?0"},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.line.left(20).toStdString());
        const Outcome run = Convert({"--from", "HV", "--locale", "fr_FR"}, c.line + "\n80\n");
        EXPECT_EQ(run.out, kHeader + c.echoed + "\t\t\t\t\t\t\n80\t76,0\t\t\t\t\t280,0\n");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("ligne 1 :"));
        EXPECT_FALSE(run.err.contains("ligne 2 :"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // QProcess wants an application object
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
