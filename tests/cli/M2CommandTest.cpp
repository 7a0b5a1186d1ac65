// lumetra-cli m2 from a diameters file: the fit as JSON and CSV, the plot, the refusals.
#include "support/CausticOracle.h"
#include "support/CliRunner.h"
#include "support/TextChecks.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QImage>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

using lumetra::test::KnownCaustic;
using lumetra::test::runCli;

namespace {

class M2Diameters : public ::testing::Test
{
protected:
    QString writeFile(const QString &name, const QByteArray &text)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    // Both axes sampled at the same z, x and y with their own waists.
    QString twoAxisFile()
    {
        QByteArray text = "z_mm,dx_um,dy_um\n";
        for (double z : lumetra::test::isoPositions(beamX, 6, 6))
            text += QByteArray::number(z, 'g', 17) + ',' + QByteArray::number(beamX.diameterAt(z), 'g', 17) +
                    ',' + QByteArray::number(beamY.diameterAt(z), 'g', 17) + '\n';
        return writeFile(QStringLiteral("caustic.csv"), text);
    }

    QTemporaryDir dir;
    const KnownCaustic beamX{1.3, 1064, 200, 300};
    const KnownCaustic beamY{1.6, 1064, 260, 310};
};

void expectRelative(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, 1e-9 * std::abs(expected));
}

} // namespace

TEST_F(M2Diameters, ReportsBothAxesAsJsonAndCsv)
{
    const QString file = twoAxisFile();
    const auto run = runCli({QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1.064um"),
                             QStringLiteral("--diameters"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const nlohmann::json json = nlohmann::json::parse(run.out.toStdString());
    EXPECT_EQ(json["wavelength_nm"], 1064.0);
    for (const auto &[key, known] : {std::pair{"x", beamX}, std::pair{"y", beamY}}) {
        SCOPED_TRACE(key);
        const nlohmann::json &axis = json[key];
        expectRelative(axis["m2"], known.m2);
        expectRelative(axis["d0_um"], known.d0Um);
        expectRelative(axis["z0_mm"], known.z0Mm);
        expectRelative(axis["zr_mm"], known.zrMm());
        expectRelative(axis["theta_mrad"], known.thetaMrad());
        EXPECT_LT(axis["residual_rms_um"].get<double>(), 1e-6);
        EXPECT_EQ(axis["points"], 12);
        EXPECT_TRUE(axis["points_within_zr"].is_number_integer());
        EXPECT_TRUE(axis["points_beyond_2zr"].is_number_integer());
        EXPECT_TRUE(axis["iso_valid"].is_boolean());
        EXPECT_TRUE(axis["iso_note"].is_string());
    }
    // The points were placed for x's caustic: they satisfy ISO there, not for y's longer one.
    EXPECT_EQ(json["x"]["iso_valid"], true);
    EXPECT_EQ(json["y"]["iso_valid"], false);

    const auto csv = runCli({QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1064nm"),
                             QStringLiteral("--diameters"), file, QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    const QStringList lines = csv.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("axis,wavelength_nm,d0_um,z0_mm,zr_mm,theta_mrad,m2,residual_rms_um,points,"
                                       "points_within_zr,points_beyond_2zr,iso_valid,iso_note,warnings,error,"
                                       "d0_um_sd,z0_mm_sd,zr_mm_sd,theta_mrad_sd,m2_sd"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("x,1064,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("y,1064,"))) << lines[2].toStdString();
    expectRelative(lines[1].section(QLatin1Char(','), 6, 6).toDouble(), beamX.m2);
}

TEST_F(M2Diameters, OneAxisFileHasNoY)
{
    QByteArray text = "z_mm,d_um\n";
    for (double z : lumetra::test::isoPositions(beamX, 2, 2))
        text += QByteArray::number(z, 'g', 17) + ',' + QByteArray::number(beamX.diameterAt(z), 'g', 17) + '\n';
    const auto run = runCli({QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1064"),
                             QStringLiteral("--diameters"), writeFile(QStringLiteral("one.csv"), text)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const nlohmann::json json = nlohmann::json::parse(run.out.toStdString());
    EXPECT_TRUE(json.contains("x"));
    EXPECT_FALSE(json.contains("y"));
    EXPECT_EQ(json["x"]["iso_valid"], false);
    EXPECT_EQ(json["x"]["iso_note"], "ISO 11146-1 needs 6 more points (at least 10), 3 more within one Rayleigh "
                                     "length of the waist (at least 5) and 3 more beyond two Rayleigh lengths "
                                     "(at least 5).");
}

TEST_F(M2Diameters, PlotsTheCausticOfBothAxes)
{
    const QString png = dir.filePath(QStringLiteral("caustic.png"));
    const auto run = runCli({QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1064"),
                             QStringLiteral("--diameters"), twoAxisFile(), QStringLiteral("--plot"), png});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(1000, 650));
    // Both axes' colours are drawn (blue x, red y).
    int blue = 0, red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c == QColor(31, 119, 180);
            red += c == QColor(214, 39, 40);
        }
    EXPECT_GT(blue, 500);
    EXPECT_GT(red, 500);

    const auto pdf = runCli({QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1064"),
                             QStringLiteral("--diameters"), twoAxisFile(), QStringLiteral("--plot"),
                             dir.filePath(QStringLiteral("caustic.pdf"))});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    QFile pdfFile(dir.filePath(QStringLiteral("caustic.pdf")));
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.read(5) == "%PDF-");
    // The command line's plot is in English, as the command line is.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdfFile.fileName(), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_FALSE(lumetra::test::containsChinese(words)) << words.toStdString();
    EXPECT_TRUE(words.contains(QStringLiteral("mm"))) << words.toStdString();
}

TEST_F(M2Diameters, ErrorsAreOneLineWithStatus2)
{
    const QString good = twoAxisFile();
    const auto refuse = [](const QStringList &args) {
        const auto run = runCli(QStringList{QStringLiteral("m2")} + args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
        return run.err.trimmed();
    };
    EXPECT_EQ(refuse({QStringLiteral("--wavelength"), QStringLiteral("633pm"), QStringLiteral("--diameters"), good}),
              QStringLiteral("lumetra-cli m2: unknown wavelength unit 'pm' in '633pm' (give nm or um, e.g. 633nm or "
                             "1.064um)"));
    const QString badHeader = writeFile(QStringLiteral("bad.csv"), "z,d\n1,2\n");
    EXPECT_TRUE(refuse({QStringLiteral("--wavelength"), QStringLiteral("633"), QStringLiteral("--diameters"), badHeader})
                    .endsWith(QStringLiteral("bad.csv line 1: the header must be z_mm,d_um or z_mm,dx_um,dy_um, not "
                                             "'z,d'")));
    const QString badNumber = writeFile(QStringLiteral("num.csv"), "z_mm,d_um\n1,2\n\n3,wide\n");
    EXPECT_TRUE(refuse({QStringLiteral("--wavelength"), QStringLiteral("633"), QStringLiteral("--diameters"), badNumber})
                    .endsWith(QStringLiteral("num.csv line 4: 'wide' is not a number")));
    // A wavelength given in micrometres or metres as a bare number is no wavelength in nanometres.
    for (const QString &wrong : {QStringLiteral("1.064"), QStringLiteral("1064e-9")})
        EXPECT_TRUE(refuse({QStringLiteral("--wavelength"), wrong, QStringLiteral("--diameters"), good})
                        .contains(QStringLiteral("the wavelength is in nanometres and must lie within 150 .. 20000 "
                                                 "nm")));
    const QString noWaist = writeFile(QStringLiteral("peak.csv"), "z_mm,d_um\n0,100\n10,150\n20,100\n");
    EXPECT_EQ(refuse({QStringLiteral("--wavelength"), QStringLiteral("633"), QStringLiteral("--diameters"), noWaist}),
              QStringLiteral("lumetra-cli m2: axis x: the diameters do not narrow to a waist: the fitted d^2 = A + Bz "
                             "+ Cz^2 has C <= 0"));
    EXPECT_TRUE(refuse({QStringLiteral("--wavelength"), QStringLiteral("633"), QStringLiteral("--diameters"), good,
                        QStringLiteral("--plot"), dir.filePath(QStringLiteral("no/such/dir/plot.png"))})
                    .startsWith(QStringLiteral("lumetra-cli m2: --plot: lumetra-caustic-plot: cannot write")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("no/such/dir/plot.png"))));
    EXPECT_TRUE(refuse({QStringLiteral("--wavelength"), QStringLiteral("633"), QStringLiteral("--diameters"), good,
                        QStringLiteral("--plot"), dir.filePath(QStringLiteral("plot.gif"))})
                    .contains(QStringLiteral("--plot writes .png, .svg or .pdf")));
}

TEST_F(M2Diameters, ImpossibleFitsAreWarnedAndAFailedAxisIsReportedBesideTheOther)
{
    // x: diameters 0.6 times too small (a wrong pixel size), so M² comes out 0.36 of 1.3;
    // y: an exact cone d = 100 + 5z, which has no waist.
    QByteArray text = "z_mm,dx_um,dy_um\n";
    for (double z : lumetra::test::isoPositions(beamX, 6, 6))
        text += QByteArray::number(z, 'g', 17) + ',' + QByteArray::number(0.6 * beamX.diameterAt(z), 'g', 17) + ',' +
                QByteArray::number(100 + 5 * (z - 200), 'g', 17) + '\n';
    const QString file = writeFile(QStringLiteral("half.csv"), text);
    const auto run = runCli({QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1064"),
                             QStringLiteral("--diameters"), file});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(), QStringLiteral("lumetra-cli m2: axis y: the fit has no real waist: A - B^2/4C <= "
                                                "1e-6 A (the diameters narrow like a cone's, so no waist is "
                                                "resolved)"));
    const nlohmann::json json = nlohmann::json::parse(run.out.toStdString());
    expectRelative(json["x"]["m2"], 0.36 * beamX.m2);
    EXPECT_EQ(json["x"]["warnings"], nlohmann::json::array({"m2_below_1"}));
    EXPECT_EQ(json["y"].size(), 1u);
    EXPECT_TRUE(json["y"]["error"].get<std::string>().starts_with("the fit has no real waist"));

    const auto csv = runCli({QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1064"),
                             QStringLiteral("--diameters"), file, QStringLiteral("--format"), QStringLiteral("csv")});
    EXPECT_EQ(csv.exitCode, 1);
    const QStringList lines = csv.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].section(QLatin1Char(','), -7, -7), QStringLiteral("m2_below_1")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("y,1064,,,,,,,,,,,,,\"the fit has no real waist"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("\",,,,,"))) << lines[2].toStdString();

    // A fit of the right size has no warnings.
    const auto good = runCli({QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1064"),
                              QStringLiteral("--diameters"), twoAxisFile()});
    ASSERT_EQ(good.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(good.out.toStdString())["x"]["warnings"], nlohmann::json::array());
}

TEST_F(M2Diameters, APoorFitBelowOneIsWarnedAndEveryFigureHasItsStandardError)
{
    // Twelve frames at a wrong pixel size, measured with 10 % scatter: M² about 0.6 on both axes,
    // uncertain enough that 1 lies within three standard errors.
    const QString file = writeFile(QStringLiteral("poor.csv"), "z_mm,dx_um,dy_um\n"
                                                               "100,771.2,467.9\n120,475.5,437.9\n140,424.1,377.7\n"
                                                               "160,213.2,248.0\n180,170.4,130.8\n190,161.9,127.9\n"
                                                               "200,129.1,131.1\n210,189.9,171.1\n220,258.7,184.5\n"
                                                               "240,441.7,367.0\n260,456.8,408.1\n280,652.5,620.7\n");
    const QStringList args{QStringLiteral("m2"), QStringLiteral("--wavelength"), QStringLiteral("1064"),
                           QStringLiteral("--diameters"), file};
    const auto run = runCli(args);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const nlohmann::json json = nlohmann::json::parse(run.out.toStdString());
    const auto csv = runCli(args + QStringList{QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    const QStringList lines = csv.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    for (int axis = 0; axis < 2; ++axis) {
        const nlohmann::json &fit = json[axis == 0 ? "x" : "y"];
        SCOPED_TRACE(axis);
        EXPECT_LT(fit["m2"].get<double>(), 0.7);
        EXPECT_GT(fit["m2"].get<double>(), 1 - 3 * fit["m2_sd"].get<double>());
        EXPECT_EQ(fit["warnings"], nlohmann::json::array({"m2_below_1"}));
        // The errors stand beside their figures in JSON and at the end of the CSV line.
        const char *names[] = {"d0_um", "z0_mm", "zr_mm", "theta_mrad", "m2"};
        for (int i = 0; i < 5; ++i) {
            const std::string sd = std::string(names[i]) + "_sd";
            ASSERT_TRUE(fit[sd].is_number()) << sd;
            EXPECT_GT(fit[sd].get<double>(), 0) << sd;
            EXPECT_EQ(lines[axis + 1].section(QLatin1Char(','), i - 5, i - 5).toDouble(), fit[sd].get<double>()) << sd;
        }
    }
}
