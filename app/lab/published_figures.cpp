#include "app/lab/published_figures.hpp"

namespace kestal {

namespace {

// Each scale's first row, then its figures down to its last row, as printed
// (NF A 03-172 and NF A 03-173); no row of a run is without a figure.
struct PublishedColumn {
    Scale scale;
    int firstRow;
    std::string_view figures;
};

// clang-format off
constexpr PublishedColumn kColumns[] = {
    {Scale::HV, 1,
     "80 85 90 95 100 105 110 115 120 125 130 135 140 145 150 155 160 165 170 175 180 "
     "185 190 195 200 205 210 215 220 225 230 235 240 245 250 255 260 265 270 275 280 "
     "285 290 295 300 310 320 330 340 350 360 370 380 390 400 410 420 430 440 450 460 "
     "470 480 490 500 510 520 530 540 550 560 570 580 590 600 610 620 630 640 650 660 "
     "670 680 690 700 720 740 760 780 800 820 840 860 880 900 920 940"},
    {Scale::HB, 1,
     "76 80.7 85.5 90.2 95 99.8 104.5 109.3 114 118.8 123.5 128.3 133 137.8 142.5 147.3 "
     "152 156.8 161.5 166.3 171 175.8 180.5 185.3 190 194.8 199.5 204.3 209 213.8 218.5 "
     "223.3 228 232.8 235.5 242.2 247 251.7 256.5 261.2 266 270.7 275.5 280.2 285 294.5 "
     "304 313.5 323 332.5 342 351.5 361 370.5 380 389.5 399 408.5 418 423 432 442 450 "
     "456 466 475 483 492 500 509 517 526 535 543 552 560 569 577 586"},
    {Scale::HRA, 33,
     "60.7 61.2 61.6 62 62.4 62.7 63.1 63.5 63.8 64.2 64.5 64.8 65.2 65.8 66.4 67 67.6 "
     "68.1 68.7 69.2 69.8 70.3 70.8 71.4 71.8 72 72.3 73.3 73.6 74.1 74.5 74.9 75.3 75.7 "
     "76.1 76.4 76.7 77 77.4 77.8 78 78.4 78.6 78.9 79.2 79.5 79.8 80 80.3 80.6 80.8 "
     "81.1 81.3 81.8 82.2 82.6 83 83.4 83.8 84.1 84.4 84.7 85 85.3 85.6"},
    {Scale::HRB, 7,
     "62 64.6 67 69 71 73.1 75.1 77 78.8 80.5 82.1 83.5 85 86.1 87.3 88.5 89.6 90.7 91.8 "
     "92.8 93.7 94.6 95.5 96.3"},
    {Scale::HRC, 33,
     "20.3 21.3 22.2 23.1 24 24.8 25.6 26.4 27.1 27.8 28.5 29.2 29.8 31 32.2 33.3 34.4 "
     "35.5 36.6 37.7 38.8 39.8 40.8 41.8 42.7 43.6 44.5 45.3 46.1 46.9 47.7 48.4 49.1 "
     "49.8 50.5 51.1 51.7 52.3 53 53.6 54.1 54.7 55.2 55.7 56.3 56.8 57.3 57.8 58.3 58.8 "
     "59.2 59.7 60.1 61 61.8 62.5 63.3 64 64.7 65.3 65.9 66.4 67 67.5 68"},
    {Scale::HRD, 33,
     "40.3 41.1 41.7 42.2 43.1 43.7 44.3 44.9 45.3 46 46.5 47.1 47.5 48.4 49.4 50.2 51.1 "
     "51.9 52.8 53.8 54.4 55.2 56 56.8 57.5 58.2 58.8 59.4 60.1 60.7 61.3 61.6 62.2 62.9 "
     "63.5 63.9 64.4 64.8 65.4 65.8 66.2 66.7 67 67.5 67.9 68.3 68.7 69 69.4 69.8 70.1 "
     "70.5 70.8 71.5 72.1 72.6 73.3 73.8 74.3 74.8 75.3 75.7 76.1 76.5 76.9"},
    {Scale::Rm, 1,
     "280 310 320 340 350 370 380 390 410 420 440 450 470 480 500 510 530 540 550 570 "
     "580 600 610 630 650 660 680 690 710 720 740 750 770 780 800 820 830 850 860 880 "
     "890 910 930 940 960 990 1020 1060 1090 1120 1160 1190 1220 1260 1290 1330 1360 "
     "1400 1430 1470 1500 1540 1570 1610 1650 1680 1720 1760 1790 1830 1870 1910 1940 "
     "1980 2020 2060 2100 2140 2180 2220"},
};
// clang-format on

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<long> ReadTenths(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view units = text.substr(0, point);
    const std::string_view tenth =
        point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
    if (units.empty() || units.size() > 6 || tenth.size() != 1 || !IsDigit(tenth[0])) {
        return std::nullopt;
    }
    long tenths = 0;
    for (const char c : units) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        tenths = tenths * 10 + (c - '0');
    }
    return tenths * 10 + (tenth[0] - '0');
}

PublishedFigures::PublishedFigures() {
    for (const PublishedColumn& column : kColumns) {
        int row = column.firstRow;
        std::string_view rest = column.figures;
        while (!rest.empty()) {
            const std::size_t end = rest.find(' ');
            const std::optional<long> tenths = ReadTenths(rest.substr(0, end));
            if (!tenths || *tenths == 0 || row > ConversionTable::kFilledRows) {
                m_read = false;
                return;
            }
            m_tenths[ColumnOf(column.scale)][row++ - 1] = *tenths;
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        }
    }
}

const PublishedFigures& PublishedFigures::Reference() {
    static const PublishedFigures figures;
    return figures;
}

}  // namespace kestal
