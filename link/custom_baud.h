// Sets any baud rate on an open terminal, not only the B-constants.
#pragma once

bool set_custom_baud(int fd, int baud);
