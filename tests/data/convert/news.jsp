<%@ page contentType="text/vnd.wap.wml" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="news" title="News">
    <p>Headlines</p>
    <% for (int i = 0; i < items.size(); i++) { %>
    <p><%= items.get(i) %></p>
    <% } %>
  </card>
</wml>
