#pragma once
// A preview window over a journal of as many rows as a test asks for (about forty rows a
// page), on a fresh database and application folder.

#include "engine/memory_data_source.h"
#include "support/db_fixture.h"

#include <QSize>
#include <memory>

class Tfpreview;

class PreviewFixture : public DbFixture {
protected:
    void TearDown() override;

    // A preview with the journal prepared, sized to `size` and shown.
    std::unique_ptr<Tfpreview> open_preview(int rows, QSize size = QSize(900, 700));

    std::unique_ptr<MemoryDataSource> m_rows;
};

// The template of that journal, with Czech texts.
QByteArray journal_template();
