#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Prepares `sql`, binds `values` to its placeholders in order and runs it, reading forward only.
bool RunQuery(QSqlQuery& query, const QString& sql, const QVariantList& values);
