#include "app/web/table_window_json.hpp"

#include <cmath>

#include "app/web/json_text.hpp"

namespace kestal {

namespace {

// A hundredth of a twip is far finer than any screen's pixel.
void Twips(JsonText& json, double twips) {
    json.Hundredths(static_cast<int>(std::lround(twips * 100)));
}

void Column(JsonText& json, const std::optional<Scale>& scale) {
    scale ? void(json.Number(ColumnShowing(*scale))) : void(json.Null());
}

std::string_view AlignName(PlotAlign align) {
    switch (align) {
        case PlotAlign::Start:
            return "start";
        case PlotAlign::Centre:
            return "centre";
        case PlotAlign::End:
            break;
    }
    return "end";
}

void Point(JsonText& json, const PlotPoint& point) {
    json.Open(u'[');
    Twips(json, point.left);
    Twips(json, point.top);
    json.Close(u']');
}

void Lines(JsonText& json, const std::vector<PlotLine>& lines) {
    json.Open(u'[');
    for (const PlotLine& line : lines) {
        json.Open(u'[');
        for (const double end : {line.left1, line.top1, line.left2, line.top2}) {
            Twips(json, end);
        }
        json.Close(u']');
    }
    json.Close(u']');
}

void Plot(JsonText& json, const PlotView& plot) {
    json.Open(u'{').Key(u"title").String(plot.title).Key(u"curve").Open(u'[');
    for (const PlotPoint& point : plot.curve) {
        Point(json, point);
    }
    json.Close(u']').Key(u"mark");
    plot.mark ? Point(json, *plot.mark) : void(json.Null());
    json.Key(u"markLines");
    Lines(json, plot.markLines);
    json.Key(u"axes");
    Lines(json, plot.axes);
    json.Key(u"texts").Open(u'[');
    for (const PlotText& text : plot.texts) {
        json.Open(u'{').Key(u"text").String(text.text).Key(u"left");
        Twips(json, text.left);
        json.Key(u"top");
        Twips(json, text.top);
        json.Key(u"across")
            .String(AlignName(text.across))
            .Key(u"down")
            .String(AlignName(text.down))
            .Key(u"marked")
            .Bool(text.marked)
            .Close(u'}');
    }
    json.Close(u']').Close(u'}');
}

std::string_view RoleName(CellColumn column) {
    switch (column) {
        case CellColumn::Source:
            return "source";
        case CellColumn::Target:
            return "target";
        case CellColumn::Other:
            break;
    }
    return "";
}

void View(JsonText& json, const TableRunView& view) {
    json.Open(u'{').Key(u"source");
    Column(json, view.source);
    json.Key(u"target");
    Column(json, view.target);
    // Each column's role, by which the page marks it in its own colours.
    json.Key(u"roles").Open(u'[');
    for (int column = 0; column < kTableColumns; ++column) {
        json.String(RoleName(view.RoleOf(0, column).column));
    }
    json.Close(u']');
    json.Key(u"firstRow")
        .Number(view.firstRow)
        .Key(u"lastRow")
        .Number(view.lastRow)
        .Key(u"status")
        .String(view.status)
        .Key(u"plot");
    Plot(json, view.plot);
    json.Close(u'}');
}

}  // namespace

std::u16string TableWindowJson(const TableWindowModel& table) {
    JsonText json;
    json.Open(u'{').Key(u"columns").Open(u'[');
    for (const TableColumn& column : TableColumns()) {
        json.Open(u'{')
            .Key(u"caption")
            .String(column.caption)
            .Key(u"width")
            .Number(column.width)
            .Close(u'}');
    }
    json.Close(u']').Key(u"rows").Open(u'[');
    for (const TableRow& row : table.Rows()) {
        json.Open(u'[');
        for (const std::u16string& cell : row) {
            json.String(cell);
        }
        json.Close(u']');
    }
    json.Close(u']').Key(u"view");
    View(json, table.View());
    json.Close(u'}');
    return json.Text();
}

std::u16string RunViewJson(const TableRunView& view) {
    JsonText json;
    View(json, view);
    return json.Text();
}

}  // namespace kestal
