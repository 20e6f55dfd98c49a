#pragma once

// Fixture: a friend declared for a class of another file.
class Befriends {
    friend class DicFrm;
};
