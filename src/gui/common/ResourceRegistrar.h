#pragma once

#include <QtGlobal>

// Resources compiled into a static library are registered only when asked for by name. This
// defines, at global scope (where the resource's own functions are declared), a function that
// registers the resource file `name` the first time it is called and never again.
#define TESSEMAR_RESOURCE_REGISTRAR(function, name) \
    static void function() {                         \
        static const bool registered = [] {          \
            Q_INIT_RESOURCE(name);                   \
            return true;                             \
        }();                                         \
        (void)registered;                            \
    }
