# The sources of each layer's library, listed: a new file joins its layer here.

set(MIRA_SETFILE_SOURCES
    setfile/encoding.cpp setfile/encoding.h setfile/reader.cpp setfile/reader.h setfile/scanner.cpp
    setfile/scanner.h setfile/setsyntax.h setfile/tree.cpp setfile/tree.h setfile/writer.cpp
    setfile/writer.h)

set(MIRA_LOCKCIPHER_SOURCES
    lock/base64.cpp lock/base64.h lock/cfb8.cpp lock/cfb8.h lock/lockkey.cpp lock/lockkey.h
    lock/rc6.cpp lock/rc6.h)

set(MIRA_LOCK_SOURCES
    lock/keyform.cpp lock/keyform.h lock/lockform.cpp lock/lockform.h)

set(MIRA_DIALOGS_SOURCES
    dialogs/dialogmetrics.cpp dialogs/dialogmetrics.h dialogs/documentdialogs.cpp
    dialogs/documentdialogs.h dialogs/finddialog.cpp dialogs/finddialog.h dialogs/messagebox.cpp
    dialogs/messagebox.h dialogs/modal.cpp dialogs/modal.h dialogs/pagedialogs.cpp
    dialogs/pagedialogs.h)

set(MIRA_ICONS_SOURCES
    icons/glyphs.cpp icons/glyphs.h icons/glyphshapes.cpp icons/glyphshapes.h icons/images.cpp
    icons/images.h icons/styleicons.cpp icons/styleicons.h)

set(MIRA_PLATFORM_SOURCES
    platform/autostart.cpp platform/autostart.h platform/commandfailure.cpp
    platform/commandfailure.h platform/connectivity.cpp platform/connectivity.h
    platform/documentcommand.cpp platform/documentcommand.h platform/enginedata.cpp
    platform/enginedata.h platform/enginesurface.cpp platform/enginesurface.h
    platform/fakewebcontrol.cpp platform/fakewebcontrol.h platform/fakewebscript.cpp
    platform/fakewebscript.h platform/loadfailure.cpp platform/loadfailure.h
    platform/memorytrim.cpp platform/memorytrim.h platform/networkwatch.cpp
    platform/networkwatch.h platform/ownpages.cpp platform/ownpages.h
    platform/pagecopies.cpp platform/pagecopies.h platform/privatebrowsing.cpp
    platform/privatebrowsing.h platform/processmodel.cpp platform/processmodel.h
    platform/scenegraph.cpp platform/scenegraph.h platform/screenawake.cpp
    platform/screenawake.h platform/shell.cpp platform/shell.h
    platform/termination.cpp platform/termination.h platform/versioninfo.cpp platform/versioninfo.h
    platform/webcontrol.cpp platform/webcontrol.h platform/webdialogs.cpp platform/webdialogs.h
    platform/webdocumentcommands.h platform/webnavigation.h platform/webscripting.h
    platform/webzoom.h)

set(MIRA_ENGINE_SOURCES
    platform/internetoptions.cpp platform/internetoptions.h platform/pageguard.cpp
    platform/pagequestions.cpp platform/pagestandin.cpp platform/profiles.cpp platform/profiles.h
    platform/qtwebcontrol.cpp platform/qtwebcontrol.h platform/qtwebcontrolprofile.cpp
    platform/qtwebcontrolzoom.cpp platform/qtwebpage.cpp platform/qtwebpage.h
    platform/useengine.cpp platform/useengine.h platform/webcommands.cpp platform/webengine.cpp
    platform/webengine.h)

set(MIRA_LAYOUT_SOURCES
    layout/align.cpp layout/align.h layout/alignrule.cpp layout/alignrule.h layout/book.cpp
    layout/book.h layout/boundsatsize.cpp layout/boundsatsize.h layout/classregistry.cpp
    layout/classregistry.h layout/component.cpp layout/component.h layout/designablepane.h
    layout/designcommands.cpp layout/designcommands.h layout/designpopup.cpp layout/designpopup.h
    layout/dropzone.cpp layout/dropzone.h layout/layoutform.cpp layout/layoutform.h
    layout/pagerotation.cpp layout/pagerotation.h layout/pan.cpp layout/pan.h layout/setform.h
    layout/setstream.cpp layout/setstream.h layout/split.cpp layout/split.h layout/text.cpp
    layout/text.h)

set(MIRA_BOOKMARKS_SOURCES
    bookmarks/addfavorite.cpp bookmarks/addfavorite.h bookmarks/addresscommands.cpp
    bookmarks/addresscommands.h bookmarks/addressnavigator.h bookmarks/bookmarkbuffer.cpp
    bookmarks/bookmarkbuffer.h bookmarks/bookmarkcommands.cpp bookmarks/bookmarkcommands.h
    bookmarks/bookmarkedform.cpp bookmarks/bookmarkedform.h bookmarks/favorites.cpp
    bookmarks/favorites.h bookmarks/fields.cpp bookmarks/fields.h bookmarks/refreshperiod.cpp
    bookmarks/refreshperiod.h bookmarks/shortcutfile.cpp bookmarks/shortcutfile.h
    bookmarks/shortenname.cpp bookmarks/shortenname.h bookmarks/urlcombo.cpp bookmarks/urlcombo.h
    bookmarks/urllistview.h bookmarks/urls.cpp bookmarks/urls.h bookmarks/wrapmessage.cpp
    bookmarks/wrapmessage.h bookmarks/zoomsteps.cpp bookmarks/zoomsteps.h)

set(MIRA_BROWSER_SOURCES
    browser/browser.cpp browser/browser.h browser/panereloads.cpp browser/browserclasses.cpp browser/dialogmode.cpp
    browser/dialogmode.h browser/dialogwatcher.cpp browser/dialogwatcher.h browser/lastcontrol.cpp
    browser/lastcontrol.h browser/messagefilter.cpp browser/messagefilter.h browser/mwebbrowser.cpp
    browser/mwebbrowser.h browser/navibarfit.cpp browser/navibarfit.h browser/newwindowcatcher.cpp
    browser/newwindowcatcher.h browser/pagebody.cpp browser/pagebody.h browser/pagemessage.cpp
    browser/pagemessage.h browser/panecommands.h browser/panehost.h browser/panezoom.cpp
    browser/panezoom.h browser/retryschedule.cpp browser/retryschedule.h browser/stalepane.cpp
    browser/stalepane.h browser/timedrefresh.cpp browser/timedrefresh.h browser/urlpopup.cpp
    browser/urlpopup.h browser/webbrowser.cpp browser/webbrowser.h browser/webdocument.cpp
    browser/webdocument.h)

set(MIRA_ABOUT_SOURCES
    about/aboutform.cpp about/aboutform.h about/aboutpictures.cpp about/aboutpictures.h
    about/abouttexts.cpp about/abouttexts.h about/versionlist.cpp about/versionlist.h)

set(MIRA_APP_SOURCES
    app/actiontable.cpp app/actiontable.h app/activation.cpp app/activation.h
    app/addresscommands.cpp app/addresscommands.h app/allpanescommands.cpp app/allpanescommands.h
    app/appcontrol.cpp app/appcontrol.h app/application.cpp app/application.h app/appmenus.cpp
    app/appmenus.h app/baseform.cpp app/baseform.h app/baseformhost.cpp app/caretrest.cpp
    app/caretrest.h app/commandline.cpp app/commandline.h app/configfiles.cpp app/configfiles.h
    app/designactions.cpp app/designactions.h app/documentcommands.cpp app/documentcommands.h
    app/favoritesactions.cpp app/favoritesactions.h app/filecommands.cpp app/filecommands.h
    app/formstream.cpp app/formstream.h app/fullscreen.cpp app/fullscreen.h
    app/internetoptionsaction.cpp app/internetoptionsaction.h app/lockcontrol.cpp app/lockcontrol.h
    app/networkfollow.cpp app/networkfollow.h app/panelist.cpp app/panelist.h app/program.cpp
    app/program.h app/programcommands.cpp app/programcommands.h app/programflags.h
    app/programvalues.cpp app/programvalues.h app/remoteclient.cpp app/remoteclient.h
    app/remotecommand.cpp app/remotecommand.h app/remoteservice.cpp app/remoteservice.h
    app/screenawakecontrol.cpp app/screenawakecontrol.h app/separateprocesses.cpp
    app/separateprocesses.h app/setcommands.cpp app/setcommands.h app/setfilecheck.cpp
    app/setfilecheck.h app/setsfolder.cpp app/setsfolder.h app/snapshot.cpp app/snapshot.h
    app/splash.cpp app/splash.h app/startcheck.cpp app/startcheck.h app/startwithdesktop.cpp
    app/startwithdesktop.h app/statusbar.cpp app/statusbar.h app/wallstatus.cpp app/wallstatus.h
    app/wallstatusaction.cpp app/windowbounds.cpp app/windowbounds.h)

