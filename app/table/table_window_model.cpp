#include "app/table/table_window_model.hpp"

#include <algorithm>

#include "app/window/table_identity.hpp"

namespace kestal {

namespace {

bool HasFigure(const TargetReason& reason) {
    return reason.kind == ReasonKind::Interpolated || reason.kind == ReasonKind::ExactRow;
}

const TargetReason& ReasonFor(const ConversionReasons& run, Scale target) {
    return *std::ranges::find(run.targets, target, &TargetReason::target);
}

const TwipsRect& PlotRect() {
    return TableWindowDescription().Control("Picture1").rect;
}

}  // namespace

CellRole TableRunView::RoleOf(int row, int column) const {
    const std::optional<Scale> scale = column >= 0 && column < kTableColumns
                                           ? TableColumns()[static_cast<std::size_t>(column)].scale
                                           : std::nullopt;
    return {.runRow = firstRow > 0 && row >= firstRow && row <= lastRow,
            .column = !scale            ? CellColumn::Other
                      : scale == source ? CellColumn::Source
                      : scale == target ? CellColumn::Target
                                        : CellColumn::Other};
}

TableWindowModel::TableWindowModel(NumberText numbers, const ConversionTable& table)
    : m_numbers(std::move(numbers)),
      m_table(table),
      m_rows(TableRows(table, m_numbers)),
      m_status(TableIdentity()),
      m_plotWidth(PlotRect().width),
      m_plotHeight(PlotRect().height) {
    Show();
}

void TableWindowModel::Follow(const BoxNotes& notes) {
    m_run = notes.run;
    m_status = m_run ? notes.reasons[ColumnOf(m_run->source)] : TableIdentity();
    Show();
}

void TableWindowModel::Choose(int column) {
    if (column < 1 || column >= kTableColumns) {
        return;
    }
    const Scale scale = *TableColumns()[static_cast<std::size_t>(column)].scale;
    if (!m_run || scale != m_run->source) {
        m_chosen = scale;
        Show();
    }
}

void TableWindowModel::ChooseNext(int step) {
    if (!m_view.target) {
        return;
    }
    int column = ColumnShowing(*m_view.target);
    do {
        column = ((column - 1 + step) % kScaleCount + kScaleCount) % kScaleCount + 1;
    } while (kAllScales[static_cast<std::size_t>(column - 1)] == m_run->source);
    Choose(column);
}

void TableWindowModel::ResizePlot(int width, int height) {
    // Nothing sensible is drawn in less than the plot's margins.
    constexpr int kSmallest = 1500;
    m_plotWidth = std::max(width, kSmallest);
    m_plotHeight = std::max(height, kSmallest);
    Show();
}

void TableWindowModel::Show() {
    const TwipsRect plot{0, 0, m_plotWidth, m_plotHeight};
    m_view = TableRunView();
    m_view.status = m_status;
    if (!m_run) {
        m_view.plot = WordsOnly(u"Tapez une valeur dans la fenêtre principale pour voir sa courbe.",
                                plot.width, plot.height);
        return;
    }
    const ConversionReasons& run = *m_run;
    m_view.source = run.source;
    if (run.exactRow) {
        m_view.firstRow = m_view.lastRow = *run.exactRow;
    } else if (run.bracket) {
        m_view.firstRow = *run.bracket;
        m_view.lastRow = *run.bracket + 1;
    }
    // The user's choice while it is a target, else the first target with a figure.
    const auto withFigure = std::ranges::find_if(run.targets, HasFigure);
    const Scale target = m_chosen && *m_chosen != run.source ? *m_chosen
                         : withFigure != run.targets.end()   ? withFigure->target
                                                             : run.targets.front().target;
    m_view.target = target;
    const TargetReason& reason = ReasonFor(run, target);
    const std::optional<PlotMark> mark =
        HasFigure(reason) ? std::optional(PlotMark{run.typed, reason.value}) : std::nullopt;
    m_view.plot = PlotOf(run.source, target, mark, m_table, m_numbers, plot.width, plot.height);
}

}  // namespace kestal
