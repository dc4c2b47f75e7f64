// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Author window's picture: a DD search coil seen from above, at the design's picture size
// in 24-bit colour, painted here so that the program carries no picture from elsewhere.

#include <QImage>

namespace info {

QImage authorPicture();

} // namespace info
